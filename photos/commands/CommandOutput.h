// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvelo {

// What tarvelo-photos' commands without a window print: a result goes to
// standard output, where a script takes it; usage and refusals go to
// standard error. Control and direction characters in either are written
// out visibly (terminalText).
void printResult(const QString& text);
void say(const QString& text);

} // namespace tarvelo
