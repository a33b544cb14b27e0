// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResidentMemory.h"

#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace tarvelo::endurance {

long long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long long totalPages = 0;
    long long residentPages = 0;
    if (!(statm >> totalPages >> residentPages)) {
        throw std::runtime_error("cannot read /proc/self/statm");
    }
    return residentPages * ::sysconf(_SC_PAGESIZE);
}

} // namespace tarvelo::endurance
