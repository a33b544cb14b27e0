// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvelo {

// Large raster blocks straight from the system, outside the heap, in whatever
// pages fault in fastest there. Blocks smaller than largeRasterBlock stay on
// the heap.
extern const std::size_t largeRasterBlock;

// A block of at least `bytes`, writable, or nullptr. `length` receives what
// unmapRasterPages must be given back.
std::uint8_t* mapRasterPages(std::size_t bytes, std::size_t& length);
void unmapRasterPages(std::uint8_t* start, std::size_t length);

} // namespace tarvelo
