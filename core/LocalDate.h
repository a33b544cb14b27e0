// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

// A calendar day of the pupil's own clock, as days since 1970-01-01. Reviews
// are due on days, not at hours: a lesson at 8:00 and one at 14:00 the next
// day are one day apart.
struct LocalDate {
    std::int32_t days = 0;

    // The day of year-month-day; nullopt for a day the calendar does not have.
    static std::optional<LocalDate> fromCivil(int year, unsigned month, unsigned day);

    LocalDate plusDays(std::int32_t count) const { return LocalDate{days + count}; }
    friend auto operator<=>(const LocalDate&, const LocalDate&) = default;
};

// "2026-12-10".
std::string dateText(LocalDate date);
// Exactly "YYYY-MM-DD" of a real day between the years 2000 and 2999, else nullopt.
std::optional<LocalDate> parseDateText(std::string_view text);

// Today's date; the program asks the system (learning/LocalClock.h), tests
// move it by days.
using TodaySource = std::function<LocalDate()>;

} // namespace tarvelo
