// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where Windows keeps the own, class and installed sets, and what a user who
// may not change the class set is told.
#include "PictureSets.h"
#include "SetPlaces.h"
#include "TempDir.h"

#include <aclapi.h>
#include <fstream>
#include <gtest/gtest.h>
#include <windows.h>

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

// Gives path to the local Users group, as if another ordinary user had put
// it there; false when the system does not let this process do that, or does
// not keep it (Wine on a file system without extended attributes).
bool giveToUsers(const fs::path& path) {
    unsigned char sid[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof sid;
    if (!CreateWellKnownSid(WinBuiltinUsersSid, nullptr, sid, &size)) {
        return false;
    }
    std::wstring name = path.wstring();
    if (SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, sid, nullptr,
                              nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(name.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                              nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    const bool kept = owner && EqualSid(owner, sid);
    LocalFree(descriptor);
    return kept;
}

// A photograph slipped into any obr\K of the class set by someone else makes
// the whole set one the quiz does not play to everyone.
TEST(WindowsSetPlaces, AForeignPhotographInAnyFolderOfTheClassSetIsNotTrusted) {
    fixtures::TempDir temp;
    const fs::path set = temp.path() / L"třída";
    for (const char* photo : {"0", "1", "3"}) {
        fs::create_directories(set / "obr" / photo);
        std::ofstream(set / "obr" / photo / "5.jpg") << "picture";
    }
    ASSERT_TRUE(classSetTrusted(set));
    if (!giveToUsers(set / "obr" / "3" / "5.jpg")) {
        GTEST_SKIP() << "this system does not let the test change a file's owner";
    }
    EXPECT_FALSE(classSetTrusted(set));
}

} // namespace
} // namespace tarvelo
