// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace tarvelo {

// Pixel memory for one raster. A photograph's raster is tens of megabytes
// written once from top to bottom; in ordinary 4 KiB pages the first touch of
// each page costs a fault, which for a 12-megapixel photograph took longer
// than decoding it. So large blocks are mapped on their own (on Linux aligned
// to and advised for transparent huge pages), and a raster's memory can be
// handed on to the next photograph's decode instead of being mapped afresh.
class RasterMemory {
public:
    RasterMemory() = default;
    // Throws std::bad_alloc when the memory cannot be had.
    static RasterMemory allocate(std::size_t bytes);

    RasterMemory(RasterMemory&& other) noexcept;
    RasterMemory& operator=(RasterMemory&& other) noexcept;

    std::uint8_t* data() const { return heap_ ? heap_.get() : mapping_.get(); }
    std::size_t size() const { return size_; }

    // Whether a raster of `bytes` may reuse this memory: it must fit, and not
    // keep more than twice what it needs alive.
    bool suits(std::size_t bytes) const { return bytes <= size_ && size_ / 2 <= bytes; }

private:
    struct Unmap {
        std::size_t length;
        void operator()(std::uint8_t* start) const;
    };

    std::unique_ptr<std::uint8_t[]> heap_;
    std::unique_ptr<std::uint8_t, Unmap> mapping_;
    std::size_t size_ = 0;
};

} // namespace tarvelo
