// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Utf8Path.h"

#include <filesystem>
#include <random>
#include <string>

namespace tarvelo::fixtures {

// A fresh directory under the system's temporary directory, removed with its
// contents when the object goes.
class TempDir {
public:
    TempDir() {
        // create_directory fails on a name that exists, so a clash just draws again.
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("tarvelo-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path of `name` inside, as the UTF-8 text the picture layer takes.
    std::string operator/(const std::string& name) const {
        return utf8FromPath(path_ / pathFromUtf8(name));
    }

private:
    std::filesystem::path path_;
};

} // namespace tarvelo::fixtures
