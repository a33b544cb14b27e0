// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <random>

namespace tarvelo::drawset {

// Seeded randomness for hair, patches and grass. The mapping to doubles is done
// here rather than by std::uniform_real_distribution, whose output differs
// between standard libraries, so a seed always gives the same picture.
class Jitter {
public:
    explicit Jitter(std::uint32_t seed) : engine_(seed) {}

    // A value in [low, high).
    double uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(engine_()) / 4294967296.0;
    }

    // True with the given probability.
    bool chance(double probability) { return uniform(0.0, 1.0) < probability; }

private:
    std::mt19937 engine_;
};

} // namespace tarvelo::drawset
