// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JpegFixtures.h"
#include "PictureFile.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace tarvelo {

// A folder holding one old file, and what must hold of it after a write that
// failed: the old bytes and no other file beside it.
class AtomicFile : public testing::Test {
protected:
    fixtures::TempDir dir;
    const fixtures::Bytes old = bytesOf(20'000, 'o');

    static fixtures::Bytes bytesOf(std::size_t size, char fill) {
        return fixtures::Bytes(size, static_cast<std::uint8_t>(fill));
    }

    static std::set<std::string> namesIn(const std::filesystem::path& folder) {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.insert(utf8FromPath(entry.path().filename()));
        }
        return names;
    }

    std::string placeOld(const std::string& name) const {
        fixtures::writeFile(pathFromUtf8(dir / name), old);
        return dir / name;
    }

    void expectUntouched(const std::string& path) const {
        EXPECT_EQ(readPictureFile(path), old);
        EXPECT_EQ(namesIn(pathFromUtf8(path).parent_path()),
                  std::set<std::string>{utf8FromPath(pathFromUtf8(path).filename())});
    }
};

} // namespace tarvelo
