// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PictureSets.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tarvelo {

// What tarvelo-photos' commands without a window print: a result goes to
// standard output, where a script takes it; usage and refusals go to
// standard error. Control and direction characters in either are written
// out visibly (terminalText).
void printResult(const QString& text);
void say(const QString& text);

// The set such a command works on: DIR, the argument at dirAt when there is
// one; the class set with classSet; else the one the window would edit.
// Nothing when DIR and --class-set both name one, which is said as misuse.
std::optional<EditedSet> commandSet(const QStringList& arguments, qsizetype dirAt,
                                    const QString& programFolder, bool classSet);

} // namespace tarvelo
