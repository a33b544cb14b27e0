// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Timing.h"

#include "ChildProcess.h"

#include <algorithm>
#include <stdexcept>

namespace tarvelo::bench {

double millisecondsOf(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double runProcess(const std::vector<std::string>& argv, int expectedStatus) {
    int status = 0;
    const double elapsed = millisecondsOf([&] {
        ChildProcess child(argv, {}, ".");
        status = child.waitForExit();
    });
    if (status != expectedStatus) {
        throw std::runtime_error(argv[0] + " failed");
    }
    return elapsed;
}

} // namespace tarvelo::bench
