// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandOutput.h"

#include "ForeignText.h"

#include <cstdio>

namespace tarvelo {

namespace {
// What is printed quotes names from files and archives: their control
// characters are written out, not obeyed by the terminal.
void print(const QString& text, std::FILE* stream) {
    std::fputs((terminalText(text) + QLatin1Char('\n')).toUtf8().constData(), stream);
}
} // namespace

void printResult(const QString& text) {
    print(text, stdout);
}

void say(const QString& text) {
    print(text, stderr);
}

} // namespace tarvelo
