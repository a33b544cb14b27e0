// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuizRandom.h"

#include <chrono>

namespace tarvelo {

std::uint32_t clockSeed() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks));
}

} // namespace tarvelo
