// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalClock.h"

#include <cstdio>
#include <ctime>

namespace tarvelo {

namespace {
std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}
} // namespace

LocalDate localToday() {
    const std::tm local = localNow();
    return LocalDate::fromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                static_cast<unsigned>(local.tm_mday))
        .value_or(LocalDate{});
}

std::string localTimeStamp() {
    const std::tm local = localNow();
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

} // namespace tarvelo
