// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CzechCounts.h"

namespace tarvelo {

namespace {

// Whether the genitive of digit 1 .. 9 begins with a sound after which
// "z" becomes "ze": dvou, tří, čtyř, šesti, sedmi.
bool digitTakesZe(int digit) {
    return digit == 2 || digit == 3 || digit == 4 || digit == 6 || digit == 7;
}

// Read aloud, a number's first word decides: "ze sta", "z tisíce",
// "ze dvaceti", "z patnácti" (the teens follow their last digit).
bool takesZe(int number) {
    if (number >= 1000) {
        const int thousands = number / 1000;
        return thousands != 1 && takesZe(thousands);
    }
    if (number >= 100) {
        return number / 100 == 1 || digitTakesZe(number / 100);
    }
    if (number >= 20) {
        return digitTakesZe(number / 10);
    }
    if (number >= 10) {
        return digitTakesZe(number - 10);
    }
    return digitTakesZe(number);
}

} // namespace

QString photographCount(int count) {
    if (count == 1 || (count >= 2 && count <= 4)) {
        return QStringLiteral("%1 fotografie").arg(count);
    }
    return QStringLiteral("%1 fotografií").arg(count);
}

QString ofCount(int number, int count) {
    return QStringLiteral("%1 %2 %3")
        .arg(number)
        .arg(takesZe(count) ? QStringLiteral("ze") : QStringLiteral("z"))
        .arg(count);
}

} // namespace tarvelo
