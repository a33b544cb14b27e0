// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RasterPages.h"

#include <sys/mman.h>

namespace tarvelo {

namespace {

constexpr std::size_t hugePage = std::size_t{2} << 20;

std::size_t roundUp(std::size_t bytes, std::size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

} // namespace

// Below one huge page a mapping of its own gains nothing.
const std::size_t largeRasterBlock = hugePage;

std::uint8_t* mapRasterPages(std::size_t bytes, std::size_t& length) {
    // Map one huge page more than needed, then give back the ragged ends so
    // that the block starts and ends on huge-page boundaries.
    length = roundUp(bytes, hugePage);
    void* mapped = mmap(nullptr, length + hugePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        return nullptr;
    }
    auto* start = static_cast<std::uint8_t*>(mapped);
    const auto address = reinterpret_cast<std::uintptr_t>(start);
    const std::size_t head = roundUp(address, hugePage) - address;
    if (head != 0) {
        munmap(start, head);
    }
    munmap(start + head + length, hugePage - head);
    // Only advice: where huge pages are off or scarce, ordinary pages serve.
    madvise(start + head, length, MADV_HUGEPAGE);
    return start + head;
}

void unmapRasterPages(std::uint8_t* start, std::size_t length) {
    munmap(start, length);
}

} // namespace tarvelo
