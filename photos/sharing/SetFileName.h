// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvelo {

// The stem of the file a set is proposed to be saved in, made from the set's
// name so that Windows and Linux both take it as the name of an ordinary
// file: without control and direction characters, with the characters
// Windows refuses in a name (< > : " / \ | ? *) as dashes, without leading
// and trailing dots and spaces (Windows drops the trailing ones, a leading
// dot hides a file on Linux), a device name (CON, PRN, AUX, NUL, COM0..COM9,
// LPT0..LPT9, CONIN$, CONOUT$, in any case, alone or before a dot, as in
// "con.txt") followed by "_", and within 200 bytes of UTF-8, which leaves
// room for ".tarvelo" under both systems' 255. "sada" when nothing is left.
QString setFileStem(const QString& setName);

} // namespace tarvelo
