// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace tarvelo::bench {

// The floor: libjpeg-turbo alone, with the picture box's decoder settings,
// into memory that is mapped already, so that only decoding is measured.
class PlainDecode {
public:
    explicit PlainDecode(const std::vector<std::uint8_t>& jpeg);
    void run();

private:
    const std::vector<std::uint8_t>& jpeg_;
    std::vector<std::uint8_t> pixels_;
    std::size_t stride_ = 0;
};

} // namespace tarvelo::bench
