// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace tarvelo {

// tarvelo-photos --import INDEX FILE [DIR]: imports one photograph as
// picture INDEX without a window, the way choosing it there does, for
// scripts and checks; with classSet (--class-set), into the machine's class
// set instead of DIR or the own set. Prints the stored picture's path, breed,
// size and bytes on standard output, a refusal or misuse on standard error;
// returns the exit status: 0 done, 1 the photograph was refused, the class set
// may not be changed by this user or there is no own set (the set is
// unchanged), 2 misuse.
int runImportCommand(const QStringList& arguments, const QString& programFolder,
                     bool classSet = false);

} // namespace tarvelo
