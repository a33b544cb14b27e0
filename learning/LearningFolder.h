// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

// The file practice keeps an account's memory in, inside learningFolder().
inline constexpr std::string_view learningFileName = "learning.txt";

// The account's own data folder for Tarvelo (UTF-8), never a set's or the
// class set's: on Linux $XDG_DATA_HOME/tarvelo, or ~/.local/share/tarvelo when
// that is unset, empty or not absolute; on Windows %APPDATA%\tarvelo.
// nullopt when the system names no such place (no home folder).
std::optional<std::string> learningFolder();

// learningFolder() joined with learningFileName.
std::optional<std::string> learningFilePath();

} // namespace tarvelo
