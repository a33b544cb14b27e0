// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RasterPages.h"

#include <windows.h>

namespace tarvelo {

// The heap hands blocks this large to VirtualAlloc anyway; asking for them
// directly keeps them apart from the heap's own bookkeeping.
const std::size_t largeRasterBlock = std::size_t{1} << 20;

std::uint8_t* mapRasterPages(std::size_t bytes, std::size_t& length) {
    length = bytes;
    return static_cast<std::uint8_t*>(
        VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
}

void unmapRasterPages(std::uint8_t* start, std::size_t /*length*/) {
    VirtualFree(start, 0, MEM_RELEASE);
}

} // namespace tarvelo
