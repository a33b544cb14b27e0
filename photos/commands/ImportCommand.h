// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tarvelo {

// Runs that command on a set, the way the window does it, for scripts and
// checks; with classSet (--class-set), on the machine's class set instead of
// DIR or the own set:
//   --import INDEX FILE [DIR]  FILE replaces the breed's first photograph;
//   --add INDEX FILE [DIR]     FILE becomes its next photograph;
//   --remove INDEX N [DIR]     its photograph N (1 is the first) goes, the
//                              later ones move up.
// --import and --add print the stored picture's path, breed, size and bytes
// on standard output, a refusal or misuse on standard error. Returns the exit
// status: 0 done, 1 refused (no such photograph, ten already, a photograph
// that cannot be read, a class set this user may not change, no own set; the
// set is unchanged), 2 misuse.
int runSetCommand(const QStringList& arguments, const QString& programFolder,
                  bool classSet = false);

} // namespace tarvelo
