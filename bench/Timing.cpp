// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Timing.h"

#include <algorithm>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>

extern char** environ;

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
    std::vector<char*> args;
    for (const auto& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int status = 0;
    const double elapsed = millisecondsOf([&] {
        if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) != 0)
            pid = -1;
        else
            waitpid(pid, &status, 0);
    });
    posix_spawn_file_actions_destroy(&actions);
    if (pid < 0)
        throw std::runtime_error("cannot start " + argv[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != expectedStatus)
        throw std::runtime_error(argv[0] + " failed");
    return elapsed;
}

} // namespace tarvelo::bench
