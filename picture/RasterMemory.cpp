// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RasterMemory.h"

#include <new>
#include <sys/mman.h>
#include <utility>

namespace tarvelo {

namespace {

constexpr std::size_t hugePage = std::size_t{2} << 20;

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

std::size_t roundUp(std::size_t bytes, std::size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

} // namespace

void RasterMemory::Unmap::operator()(std::uint8_t* start) const {
    munmap(start, length);
}

RasterMemory RasterMemory::allocate(std::size_t bytes) {
    RasterMemory memory;
    memory.size_ = bytes;
    if (!mapLargeBlocks || bytes < hugePage) {
        memory.heap_ = std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
        return memory;
    }
    // Map one huge page more than needed, then give back the ragged ends so
    // that the block starts and ends on huge-page boundaries.
    const std::size_t length = roundUp(bytes, hugePage);
    void* mapped = mmap(nullptr, length + hugePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    auto* start = static_cast<std::uint8_t*>(mapped);
    const auto address = reinterpret_cast<std::uintptr_t>(start);
    const std::size_t head = roundUp(address, hugePage) - address;
    if (head != 0)
        munmap(start, head);
    munmap(start + head + length, hugePage - head);
    // Only advice: where huge pages are off or scarce, ordinary pages serve.
    madvise(start + head, length, MADV_HUGEPAGE);
    memory.mapping_ = std::unique_ptr<std::uint8_t, Unmap>(start + head, Unmap{length});
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
