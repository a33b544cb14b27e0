// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalClock.h"

#include <cstdio>
#include <windows.h>

namespace tarvelo {

LocalDate localToday() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return LocalDate::fromCivil(local.wYear, local.wMonth, local.wDay).value_or(LocalDate{});
}

std::string localTimeStamp() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    char text[32];
    std::snprintf(text, sizeof text, "%04u%02u%02u-%02u%02u%02u", unsigned{local.wYear},
                  unsigned{local.wMonth}, unsigned{local.wDay}, unsigned{local.wHour},
                  unsigned{local.wMinute}, unsigned{local.wSecond});
    return text;
}

} // namespace tarvelo
