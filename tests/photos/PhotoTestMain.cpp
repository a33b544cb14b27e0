// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>
#include <QLoggingCategory>
#include <gtest/gtest.h>

// The engine asks the application for the program's folder, the written
// test's PDF for the fonts, the network for an event loop and the import
// for a GUI application's image readers: a GUI application, headless. The
// engine's tests and the Commons tests share it.
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
