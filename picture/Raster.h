// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RasterMemory.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvelo {

// A decoded picture in memory. 24 bits per pixel are stored blue, green, red;
// 8 bits per pixel are indices into palette (red, green, blue entries). Rows
// are padded to a multiple of 4 bytes so that they can be drawn in place.
struct Raster {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    std::size_t stride = 0;
    RasterMemory pixels;
    std::vector<std::array<std::uint8_t, 3>> palette;
    // Rows 0 .. rowsDecoded-1 hold decoded pixels; the rest are black.
    int rowsDecoded = 0;

    std::uint8_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * stride; }
    const std::uint8_t* row(int y) const {
        return pixels.data() + static_cast<std::size_t>(y) * stride;
    }
    bool empty() const { return width <= 0 || height <= 0; }
};

} // namespace tarvelo
