// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartQuiz.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <system_error>
#include <unistd.h>

namespace tarvelo {

std::filesystem::path programFolder() {
    // Relative to the launcher, so an install moved to another prefix starts
    // its own quiz; the configured place when the system does not say.
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path launcherFolder =
        error ? std::filesystem::path(TARVELO_INSTALL_LAUNCHER_DIR) : self.parent_path();
    return (launcherFolder / TARVELO_BINDIR_FROM_LAUNCHER).lexically_normal();
}

int startQuiz(const std::filesystem::path& programFolder, const std::filesystem::path& setFolder) {
    if (chdir(setFolder.c_str()) != 0) {
        const int error = errno;
        std::cerr << "tarvelo-launch: cannot change to \"" << setFolder.native()
                  << "\": " << std::strerror(error) << '\n';
        return 2;
    }
    std::string quiz = (programFolder / "tarvelo").native();
    char* const arguments[] = {quiz.data(), nullptr};
    execv(quiz.c_str(), arguments);
    const int error = errno;
    std::cerr << "tarvelo-launch: cannot start \"" << quiz << "\": " << std::strerror(error)
              << '\n';
    // The statuses a shell gives for a command it cannot run.
    return error == ENOENT ? 127 : 126;
}

} // namespace tarvelo
