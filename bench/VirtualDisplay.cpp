// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "VirtualDisplay.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace tarvelo::bench {

namespace {

void stop(pid_t pid) {
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}

// Xvfb writes the display number it chose, then a newline, to fd 3 once it
// accepts clients.
std::string readDisplayNumber(int fd) {
    std::string number;
    for (;;) {
        pollfd watch{fd, POLLIN, 0};
        char c = 0;
        if (::poll(&watch, 1, 10000) <= 0 || ::read(fd, &c, 1) != 1) {
            return {};
        }
        if (c == '\n') {
            return number;
        }
        number += c;
    }
}

} // namespace

std::optional<VirtualDisplay> VirtualDisplay::start() {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 3);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> command{"Xvfb", "-displayfd",   "3",         "-screen",
                                     "0",    "1280x1024x24", "-nolisten", "tcp"};
    std::vector<char*> arguments;
    for (auto& word : command) {
        arguments.push_back(word.data());
    }
    arguments.push_back(nullptr);
    pid_t pid = -1;
    const int error = ::posix_spawnp(&pid, "Xvfb", &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (error != 0) {
        ::close(pipeEnds[0]);
        return std::nullopt;
    }
    const std::string number = readDisplayNumber(pipeEnds[0]);
    ::close(pipeEnds[0]);
    if (number.empty()) {
        stop(pid);
        return std::nullopt;
    }
    return VirtualDisplay(pid, ":" + number);
}

VirtualDisplay::VirtualDisplay(VirtualDisplay&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), name_(std::move(other.name_)) {}

VirtualDisplay::~VirtualDisplay() {
    if (pid_ > 0) {
        stop(pid_);
    }
}

} // namespace tarvelo::bench
