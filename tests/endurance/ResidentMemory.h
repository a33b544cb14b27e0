// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvelo::endurance {

// The process's resident set size in bytes, from /proc/self/statm.
long long residentBytes();

} // namespace tarvelo::endurance
