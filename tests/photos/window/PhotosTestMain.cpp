// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Accessibility.h"
#include "PhotosApplication.h"
#include "PictureBox.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

namespace {
// What a window test starts in place of the quiz: it writes where it was
// started, and whether the set's first picture is there, into the file the
// test named, then plays until the test writes FILE.go.
int standInQuiz(const QString& report) {
    QFile out(report + QStringLiteral(".part"));
    if (!out.open(QIODevice::WriteOnly)) {
        return 3;
    }
    const bool picture = QFile::exists(QStringLiteral("obr/0/0.jpg"));
    out.write((QDir::currentPath() + QLatin1Char('\n') +
               (picture ? QStringLiteral("obr") : QStringLiteral("-")))
                  .toUtf8());
    out.close();
    QFile::rename(out.fileName(), report); // the test sees it whole or not at all
    const QDeadlineTimer deadline(20000);
    while (!QFile::exists(report + QStringLiteral(".go")) && !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("TARVELO_STAND_IN_QUIZ")) {
        return standInQuiz(qEnvironmentVariable("TARVELO_STAND_IN_QUIZ"));
    }
    // Window tests always run headless, also when ctest lists them at build time.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    // The window under the application tarvelo-photos itself runs, set up as
    // its main does.
    tarvelo::PhotosApplication app(argc, argv);
    tarvelo::installAccessibleRoles();
    tarvelo::installPictureBoxRole();
    return RUN_ALL_TESTS();
}
