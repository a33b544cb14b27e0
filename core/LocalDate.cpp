// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalDate.h"

#include <charconv>
#include <chrono>
#include <cstdio>

namespace tarvelo {

std::optional<LocalDate> LocalDate::fromCivil(int year, unsigned month, unsigned day) {
    const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                           std::chrono::day{day}};
    if (!date.ok()) {
        return std::nullopt;
    }
    const auto days = std::chrono::sys_days{date}.time_since_epoch().count();
    return LocalDate{static_cast<std::int32_t>(days)};
}

std::string dateText(LocalDate date) {
    const std::chrono::year_month_day civil{std::chrono::sys_days{std::chrono::days{date.days}}};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(civil.year()),
                  static_cast<unsigned>(civil.month()), static_cast<unsigned>(civil.day()));
    return text;
}

namespace {
std::optional<unsigned> digits(std::string_view text) {
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}
} // namespace

std::optional<LocalDate> parseDateText(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const auto year = digits(text.substr(0, 4));
    const auto month = digits(text.substr(5, 2));
    const auto day = digits(text.substr(8, 2));
    if (!year || !month || !day || *year < 2000 || *year > 2999) {
        return std::nullopt;
    }
    return LocalDate::fromCivil(static_cast<int>(*year), *month, *day);
}

} // namespace tarvelo
