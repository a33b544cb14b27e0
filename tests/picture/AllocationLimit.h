// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace tarvelo::fixtures {

// A machine short of memory, for the test programs that link this: while an
// AllocationLimit lives, operator new refuses any single allocation larger
// than `bytes` with std::bad_alloc, as it does when memory runs out. Smaller
// ones, the widgets' and the texts', go on working. One at a time.
class AllocationLimit {
public:
    explicit AllocationLimit(std::size_t bytes);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
};

} // namespace tarvelo::fixtures
