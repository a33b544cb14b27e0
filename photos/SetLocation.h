// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvelo {

// The folder of the user's own set that the installed quiz plays:
// $XDG_DATA_HOME/tarvelo or ~/.local/share/tarvelo; %LOCALAPPDATA%\tarvelo.
QString defaultSetRoot();

// The folder of the bundled drawings (0.jpg .. 18.jpg): beside the program
// when it is installed, the source tree's data/obr/0 in a build tree. Empty
// when none is found.
QString bundledDrawingsDir();

} // namespace tarvelo
