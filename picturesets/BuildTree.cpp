// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BuildTree.h"

#include "Utf8Path.h"

#include <fstream>
#include <string>
#include <string_view>

namespace tarvelo {

std::filesystem::path sourceTreeData(const std::filesystem::path& folder) {
    constexpr std::string_view key = "CMAKE_HOME_DIRECTORY:INTERNAL=";
    std::filesystem::path dir = folder.lexically_normal();
    for (;;) {
        std::ifstream cache(dir / "CMakeCache.txt");
        if (cache) {
            // The first cache above the program is its build's, found or not.
            for (std::string line; std::getline(cache, line);) {
                if (!line.empty() && line.back() == '\r') {
                    line.pop_back();
                }
                if (line.starts_with(key)) {
                    return pathFromUtf8(line.substr(key.size())) / "data";
                }
            }
            return {};
        }
        if (!dir.has_relative_path()) {
            return {};
        }
        dir = dir.parent_path();
    }
}

} // namespace tarvelo
