// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"
#include "HeadlessPlatform.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

namespace tarvelo {

namespace {
std::unique_ptr<QCoreApplication> madeApplication(CommandApplication kind, int& argc, char** argv) {
    if (kind == CommandApplication::HeadlessGui) {
        preferHeadlessPlatform();
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}
} // namespace

int runCommand(const CommandForm& form, int argc, char** argv) {
    // Qt keeps a reference to argc for the application's whole life.
    const std::unique_ptr<QCoreApplication> application =
        madeApplication(form.application, argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    const bool classSet = takeClassSetOption(arguments);
    return form.run(arguments, QCoreApplication::applicationDirPath(), classSet);
}

} // namespace tarvelo
