// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tarvelo::bench {

namespace {

std::vector<std::string> mergedEnvironment(const std::vector<std::string>& overrides) {
    std::vector<std::string> merged = overrides;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view current(*entry);
        const auto name = current.substr(0, current.find('=') + 1);
        const bool replaced = std::any_of(overrides.begin(), overrides.end(), [&](const auto& o) {
            return std::string_view(o).substr(0, o.find('=') + 1) == name;
        });
        if (!replaced) {
            merged.emplace_back(current);
        }
    }
    return merged;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

[[noreturn]] void fail(const std::string& what, int error) {
    throw std::runtime_error(what + ": " + std::strerror(error));
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& command,
                           const std::vector<std::string>& environment,
                           const std::string& workingDirectory) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        fail("pipe", errno);
    }
    errorPipe_ = pipeEnds[0];

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());

    std::vector<std::string> arguments = command;
    std::vector<std::string> variables = mergedEnvironment(environment);
    const int error = ::posix_spawnp(&pid_, arguments.front().c_str(), &actions, nullptr,
                                     pointersTo(arguments).data(), pointersTo(variables).data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (error != 0) {
        ::close(errorPipe_);
        fail("cannot start " + command.front(), error);
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    ::close(errorPipe_);
}

int ChildProcess::waitForExit() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::optional<ChildProcess::Line> ChildProcess::waitForLine(std::string_view prefix,
                                                            Clock::time_point deadline) {
    for (;;) {
        for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (line.starts_with(prefix)) {
                return Line{std::move(line), Clock::now()};
            }
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return std::nullopt;
        }
        pollfd watch{errorPipe_, POLLIN, 0};
        const int ready = ::poll(&watch, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno != EINTR) {
            fail("poll", errno);
        }
        if (ready <= 0) {
            continue;
        }
        char buffer[4096];
        const ssize_t got = ::read(errorPipe_, buffer, sizeof buffer);
        if (got == 0) {
            return std::nullopt;
        }
        if (got > 0) {
            pending_.append(buffer, static_cast<std::size_t>(got));
        }
    }
}

std::chrono::nanoseconds ChildProcess::cpuTime() const {
    // The first field of each thread's schedstat is its time on a processor.
    std::chrono::nanoseconds total{0};
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid_) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks)) {
        std::ifstream schedstat(task.path() / "schedstat");
        long long nanoseconds = 0;
        if (schedstat >> nanoseconds) {
            total += std::chrono::nanoseconds(nanoseconds);
        }
    }
    return total;
}

long long ChildProcess::peakResidentBytes() const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    for (std::string key; status >> key;) {
        if (key == "VmHWM:") {
            long long kibibytes = 0;
            status >> kibibytes;
            return kibibytes * 1024;
        }
        status.ignore(1 << 20, '\n');
    }
    throw std::runtime_error("no VmHWM for process " + std::to_string(pid_));
}

} // namespace tarvelo::bench
