// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace tarvelo {

// tarvelo-photos --export FILE [DIR | --class-set]: writes the set's
// photographs as one shared file (NAME.tarvelo, the set named after the
// file, no note) and prints the file's path.
// tarvelo-photos --import-set FILE [DIR | --class-set]: makes the set hold
// exactly the shared file's photographs (the drawings for breeds it lacks)
// and prints the set's folder and how many photographs it now holds.
// Both without a window; refusals and misuse go to standard error. Exit
// status: 0 done, 1 refused (nothing changed, nothing written elsewhere),
// 2 misuse.
int runSetFileCommand(const QStringList& arguments, const QString& programFolder, bool classSet);

} // namespace tarvelo
