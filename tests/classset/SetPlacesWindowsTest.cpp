// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where Windows keeps the own, class and installed sets, and what a user who
// may not change the class set is told.
#include "PictureSets.h"
#include "SetPlaces.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

TEST(WindowsSetPlaces, KnownFoldersAndTheProgramsFolder) {
    EXPECT_EQ(ownSetFolder().filename(), "tarvelo");
    EXPECT_TRUE(ownSetFolder().is_absolute());
    const std::vector<fs::path> classSets{classSetHome()};
    EXPECT_EQ(classSetFolders(), classSets);
    EXPECT_EQ(classSetHome().filename(), "tarvelo");
    // The installed drawings are obr\0 beside the programs.
    const std::vector<fs::path> installed{fs::path(L"C:\\Program Files\\Tarvelo")};
    EXPECT_EQ(installedSetFolders(L"C:\\Program Files\\Tarvelo"), installed);
}

TEST(WindowsSetPlaces, TheRefusalSaysWhichSetAndWhoMay) {
    EXPECT_EQ(classSetRefusalText(L"C:/ProgramData/tarvelo"),
              "Sadu pro všechny uživatele tohoto počítače (C:\\ProgramData\\tarvelo) nemůžete "
              "měnit. Spusťte „Tarvelo – vlastní fotografie“ jako správce. Nic nebylo změněno.");
}

} // namespace
} // namespace tarvelo
