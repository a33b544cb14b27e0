// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tarvelo {

// The folder of the user's own set that the installed quiz plays:
// $XDG_DATA_HOME/tarvelo or ~/.local/share/tarvelo; %LOCALAPPDATA%\tarvelo.
QString defaultSetRoot();

// The folder of the bundled drawings (0.jpg .. 18.jpg): for a program run
// from a build tree, the source tree's data/obr/0 (found through the
// CMakeCache.txt of the build folder above the program); otherwise the first
// of installedDrawingsDirs(the program's folder) that holds them. Empty when
// none is found. Needs a QCoreApplication.
QString bundledDrawingsDir();

// Where an installed program's drawings may be, best first. Linux: the
// install's <datadir>/tarvelo/obr/0, beside the program's bin folder, then the
// configured prefix's. Windows: <program folder>\kresby (a zip whose obr\0 is
// the teacher's own set), then <program folder>\obr\0.
QStringList installedDrawingsDirs(const QString& programDir);

} // namespace tarvelo
