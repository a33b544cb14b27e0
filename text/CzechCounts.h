// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvelo {

// "1 fotografie", "3 fotografie", "5 fotografií": the noun agrees with the
// number, as Czech wants it.
QString photographCount(int count);

// "2 ze 3", "2 z 5": the preposition before the number as it is read aloud
// ("ze tří", "z pěti"), so that screen readers and the status line agree.
QString ofCount(int number, int count);

} // namespace tarvelo
