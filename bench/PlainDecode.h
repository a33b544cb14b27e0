// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace tarvelo::bench {

// The floor: libjpeg-turbo alone, with the picture box's decoder settings,
// into memory that is mapped already, so that only decoding is measured;
// at 1/scaleDenominator of the size where that is more than 1, as
// libjpeg scales while it decodes.
class PlainDecode {
public:
    explicit PlainDecode(const std::vector<std::uint8_t>& jpeg, unsigned int scaleDenominator = 1);
    void run();

private:
    const std::vector<std::uint8_t>& jpeg_;
    std::vector<std::uint8_t> pixels_;
    std::size_t stride_ = 0;
    unsigned int scaleDenominator_;
};

} // namespace tarvelo::bench
