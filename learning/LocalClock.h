// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LocalDate.h"

#include <string>

namespace tarvelo {

// The system's local calendar date today, as the pupil's clock shows it.
LocalDate localToday();

// The local time now as "YYYYMMDD-HHMMSS", for names of files set aside.
std::string localTimeStamp();

} // namespace tarvelo
