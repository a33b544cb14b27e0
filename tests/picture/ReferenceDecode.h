// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace tarvelo::fixtures {

// libjpeg-turbo's own output for bytes with plain library calls and the
// settings the picture box promises: float IDCT, block smoothing, fancy
// upsampling; colour as blue-green-red, greyscale quantised to 236 levels
// (Floyd-Steinberg). Rows are tightly packed.
struct ReferenceImage {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> greyPalette; // quantised greyscale only
};

ReferenceImage referenceDecode(const std::vector<std::uint8_t>& bytes);

} // namespace tarvelo::fixtures
