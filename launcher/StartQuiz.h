// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

// How the launcher starts the quiz; which set it starts it in is decided in
// PictureSets.h.
namespace tarvelo {

// The folder of the quiz and tarvelo-photos, found from where this launcher
// is: on Linux the install's bin folder beside its libexec/tarvelo, on Windows
// the launcher's own folder.
std::filesystem::path programFolder();

// Starts the quiz of programFolder with setFolder as its working directory.
// Linux: this process becomes the quiz, so its exit status and signals are
// the quiz's; returns only when that failed, with the status to exit with,
// having said why on standard error. Windows: waits for the quiz and returns
// its exit status; a quiz that cannot be started is reported in a message box.
int startQuiz(const std::filesystem::path& programFolder, const std::filesystem::path& setFolder);

} // namespace tarvelo
