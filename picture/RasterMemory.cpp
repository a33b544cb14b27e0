// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RasterMemory.h"

#include "RasterPages.h"

#include <new>
#include <utility>

namespace tarvelo {

namespace {

// Sanitizers watch the heap's blocks but not raw mappings, so instrumented
// builds keep every raster where overruns are caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool mapLargeBlocks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool mapLargeBlocks = false;
#else
constexpr bool mapLargeBlocks = true;
#endif
#else
constexpr bool mapLargeBlocks = true;
#endif

} // namespace

void RasterMemory::Unmap::operator()(std::uint8_t* start) const {
    unmapRasterPages(start, length);
}

RasterMemory RasterMemory::allocate(std::size_t bytes) {
    RasterMemory memory;
    memory.size_ = bytes;
    if (!mapLargeBlocks || bytes < largeRasterBlock) {
        memory.heap_ = std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
        return memory;
    }
    std::size_t length = 0;
    std::uint8_t* start = mapRasterPages(bytes, length);
    if (start == nullptr) {
        throw std::bad_alloc();
    }
    memory.mapping_ = std::unique_ptr<std::uint8_t, Unmap>(start, Unmap{length});
    return memory;
}

RasterMemory::RasterMemory(RasterMemory&& other) noexcept
    : heap_(std::move(other.heap_)), mapping_(std::move(other.mapping_)),
      size_(std::exchange(other.size_, 0)) {}

RasterMemory& RasterMemory::operator=(RasterMemory&& other) noexcept {
    heap_ = std::move(other.heap_);
    mapping_ = std::move(other.mapping_);
    size_ = std::exchange(other.size_, 0);
    return *this;
}

} // namespace tarvelo
