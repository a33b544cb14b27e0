// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>
#include <QLoggingCategory>
#include <gtest/gtest.h>

// The network needs an event loop, and the import a GUI application's image
// readers: a GUI application, headless.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    }
    QGuiApplication application(argc, argv);
    // Damaged files are the point of many tests; Qt's readers' complaints
    // about them would bury the results.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio=false\n"
                                                    "qt.gui.icc=false"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
