// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AllocationLimit.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

// Read by every allocation of every thread; set only by AllocationLimit.
std::atomic<std::size_t> largestAllocation{std::numeric_limits<std::size_t>::max()};

} // namespace

namespace tarvelo::fixtures {

AllocationLimit::AllocationLimit(std::size_t bytes) {
    largestAllocation = bytes;
}

AllocationLimit::~AllocationLimit() {
    largestAllocation = std::numeric_limits<std::size_t>::max();
}

} // namespace tarvelo::fixtures

// The replaceable global allocation functions; operator new[] and the
// nothrow forms come here through the standard library's own.
void* operator new(std::size_t size) {
    if (size > largestAllocation.load(std::memory_order_relaxed)) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
