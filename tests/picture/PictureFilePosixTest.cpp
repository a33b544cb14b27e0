// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening photographs with POSIX files: the errno texts, permissions, sysfs.
#include "JpegFixtures.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "PictureFileTesting.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

TEST_F(PictureFile, MissingFileNamesTheAbsolutePathAndTheReason) {
    const std::string relative = "no-such-folder-for-tarvelo/7.jpg";
    const std::string expected = "Cannot open file \"" + (fs::current_path() / relative).string() +
                                 "\". No such file or directory";
    EXPECT_EQ(messageOf<EFOpenError>([&] { loadPicture(relative); }), expected);
}

TEST_F(PictureFile, DirectoryCannotBeOpened) {
    fs::create_directory(dir.path() / "folder.jpg");
    EXPECT_EQ(messageOf<EFOpenError>([&] { loadPicture(dir / "folder.jpg"); }),
              "Cannot open file \"" + dir / "folder.jpg" + "\". Is a directory");
}

TEST_F(PictureFile, UnreadableFileCannotBeOpened) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root can read any file";
    }
    fixtures::writeFile(dir / "locked.jpg", fixtures::makeJpeg({}));
    ::chmod((dir / "locked.jpg").c_str(), 0);
    EXPECT_EQ(messageOf<EFOpenError>([&] { loadPicture(dir / "locked.jpg"); }),
              "Cannot open file \"" + dir / "locked.jpg" + "\". Permission denied");
}

TEST_F(PictureFile, FileShorterThanItsSizeIsAStreamReadError) {
    // sysfs attributes report a size of one page but yield only their text.
    const fs::path attribute = "/sys/kernel/mm/transparent_hugepage/enabled";
    struct stat status {};
    if (::stat(attribute.c_str(), &status) != 0 || status.st_size <= 0) {
        GTEST_SKIP() << "no sysfs attribute to read";
    }
    fs::create_symlink(attribute, dir.path() / "short.jpg");
    EXPECT_EQ(messageOf<EReadError>([&] { loadPicture(dir / "short.jpg"); }), "Stream read error");
}

TEST(SystemErrorText, DropsTrailingFullStopsSpacesAndControls) {
    EXPECT_EQ(systemErrorText(ENOENT), "No such file or directory");
    EXPECT_EQ(EFOpenError("/x.jpg", "Reason").what(),
              std::string("Cannot open file \"/x.jpg\". Reason"));
}

} // namespace
} // namespace tarvelo
