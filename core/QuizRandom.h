// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tarvelo {

// The quiz's own 32-bit linear congruential generator. Only the order of the
// pictures shows it, but it is kept exact so a seed replays a round.
class QuizRandom {
public:
    void seed(std::uint32_t state) { state_ = state; }

    // Draws from 0 .. n-1: the state advances, then the upper 32 bits of
    // state * n (64-bit unsigned) are the result.
    std::int32_t draw(std::int32_t n) {
        state_ = state_ * 134775813u + 1u;
        const auto product = std::uint64_t{state_} * static_cast<std::uint32_t>(n);
        return static_cast<std::int32_t>(product >> 32);
    }

    std::uint32_t state() const { return state_; }

private:
    std::uint32_t state_ = 0;
};

// Low 32 bits of the monotonic high-resolution clock.
std::uint32_t clockSeed();

} // namespace tarvelo
