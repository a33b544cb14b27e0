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
#include <memory>
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

// A class set's folder that another user owns is not the system's: it is
// neither played nor taken over for writing, and the editor says why.
TEST(WindowsSetPlaces, AFolderAnotherUserOwnsIsNotTheClassSets) {
    fixtures::TempDir temp;
    const fs::path home = temp.path() / L"tarvelo";
    fs::create_directories(home / "obr" / "0");
    ASSERT_TRUE(classSetFolderGuarded(home));
    if (!giveToUsers(home)) {
        GTEST_SKIP() << "this system does not let the test change a folder's owner";
    }
    EXPECT_FALSE(classSetFolderGuarded(home));
    EXPECT_FALSE(classSetTrusted(home));
    EXPECT_EQ(classSetRefusal(home), classSetUnguardedText(home));
    const auto refused = prepareClassSetFolder(home);
    ASSERT_TRUE(refused.has_value());
    EXPECT_NE(refused->find("nepatří správci počítače"), std::string::npos) << *refused;
}

// The DACL of path and whether it is its own (protected), or nothing when
// the system does not say.
struct Rights {
    std::unique_ptr<void, decltype(&LocalFree)> descriptor{nullptr, &LocalFree};
    PACL dacl = nullptr;
    bool own = false;
};
Rights rightsOf(const fs::path& path) {
    Rights rights;
    PSECURITY_DESCRIPTOR raw = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &rights.dacl, nullptr, &raw) != ERROR_SUCCESS) {
        return rights;
    }
    rights.descriptor.reset(raw);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    rights.own = GetSecurityDescriptorControl(raw, &control, &revision) &&
                 (control & SE_DACL_PROTECTED) != 0;
    return rights;
}

// What the installers leave, given by the program to a folder that inherits
// its rights: Administrators and SYSTEM full control, Users read and execute,
// each passed on to folders and files, none inherited from above.
TEST(WindowsSetPlaces, TheClassSetsFolderGetsRightsOfItsOwn) {
    fixtures::TempDir temp;
    const fs::path home = temp.path() / L"tarvelo";
    ASSERT_EQ(prepareClassSetFolder(home), std::nullopt);
    EXPECT_TRUE(fs::is_directory(home));
    const Rights rights = rightsOf(home);
    if (!rights.own) {
        GTEST_SKIP() << "this system does not keep a folder's rights";
    }
    ASSERT_NE(rights.dacl, nullptr);
    struct Want {
        WELL_KNOWN_SID_TYPE who;
        ACCESS_MASK mask;
        bool found = false;
    };
    Want wants[] = {{WinBuiltinAdministratorsSid, FILE_ALL_ACCESS},
                    {WinLocalSystemSid, FILE_ALL_ACCESS},
                    {WinBuiltinUsersSid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE}};
    EXPECT_EQ(rights.dacl->AceCount, 3);
    for (WORD i = 0; i < rights.dacl->AceCount; ++i) {
        void* raw = nullptr;
        ASSERT_TRUE(GetAce(rights.dacl, i, &raw));
        const auto* ace = static_cast<ACCESS_ALLOWED_ACE*>(raw);
        ASSERT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
        EXPECT_EQ(ace->Header.AceFlags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE),
                  OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
        const PSID sid = const_cast<DWORD*>(&ace->SidStart);
        for (Want& want : wants) {
            if (IsWellKnownSid(sid, want.who)) {
                EXPECT_EQ(ace->Mask, want.mask) << want.who;
                want.found = true;
            }
        }
    }
    for (const Want& want : wants) {
        EXPECT_TRUE(want.found) << want.who;
    }
    // A folder made in it inherits them.
    fs::create_directories(home / "obr" / "0");
    EXPECT_FALSE(rightsOf(home / "obr" / "0").own);
    EXPECT_EQ(prepareClassSetFolder(home), std::nullopt);
}

} // namespace
} // namespace tarvelo
