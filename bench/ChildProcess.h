// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace tarvelo::bench {

using Clock = std::chrono::steady_clock;

// A program started with its standard error on a pipe and its standard output
// discarded; stopped (SIGTERM, then reaped) when the object goes.
class ChildProcess {
public:
    // `environment` entries ("NAME=value") are added to, or replace, this
    // process's own.
    ChildProcess(const std::vector<std::string>& command,
                 const std::vector<std::string>& environment, const std::string& workingDirectory);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }

    struct Line {
        std::string text;
        Clock::time_point readAt;
    };
    // The first line of standard error that begins with `prefix`, with the
    // moment it arrived; none if the child closes its standard error or the
    // deadline passes first.
    std::optional<Line> waitForLine(std::string_view prefix, Clock::time_point deadline);

    // Waits for the child to end and returns its exit status (-1 when a
    // signal ended it).
    int waitForExit();

    // The child's peak resident set size so far (VmHWM), in bytes.
    long long peakResidentBytes() const;
    // Processor time its live threads have used so far.
    std::chrono::nanoseconds cpuTime() const;

private:
    pid_t pid_ = -1;
    int errorPipe_ = -1;
    std::string pending_;
};

} // namespace tarvelo::bench
