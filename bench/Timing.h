// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tarvelo::bench {

// Wall-clock milliseconds that `action` takes.
double millisecondsOf(const std::function<void()>& action);

double median(std::vector<double> values);

// Runs a program (found on PATH) to its end in the current directory, its
// standard output thrown away, and returns the wall-clock milliseconds from
// spawning to reaping it. Throws when it cannot be started or does not exit
// with status `expectedStatus`.
double runProcess(const std::vector<std::string>& argv, int expectedStatus = 0);

} // namespace tarvelo::bench
