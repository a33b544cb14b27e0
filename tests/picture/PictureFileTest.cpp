// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureFile.h"

#include "JpegFixtures.h"
#include "PictureErrors.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

template <class Error> std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    } catch (const std::exception& e) {
        ADD_FAILURE() << "wrong error: " << e.what();
        return {};
    }
    ADD_FAILURE() << "no error";
    return {};
}

class PictureFile : public testing::Test {
protected:
    fixtures::TempDir dir;
};

TEST_F(PictureFile, LoadsHeaderOnlyAndKeepsTheWholeFile) {
    const auto bytes = fixtures::makeJpeg({});
    fixtures::writeFile(dir / "1.jpg", bytes);
    const JpegPicture picture = loadPicture(dir / "1.jpg");
    EXPECT_EQ(picture.width(), 64);
    EXPECT_EQ(picture.height(), 48);
    EXPECT_EQ(picture.bytes(), bytes);
    EXPECT_EQ(picture.raster(), nullptr);
}

TEST_F(PictureFile, ExtensionCaseDoesNotMatter) {
    for (const char* name : {"a.JPG", "b.Jpg", "c.jpeg", "d.JPEG"}) {
        fixtures::writeFile(dir / name, fixtures::makeJpeg({}));
        EXPECT_NO_THROW(loadPicture(dir / name)) << name;
    }
}

TEST_F(PictureFile, UnknownExtensionFailsBeforeTouchingTheFile) {
    // The file does not exist: opening it would give a different error.
    EXPECT_EQ(messageOf<EInvalidGraphic>([&] { loadPicture(dir / "missing.png"); }),
              "Unknown picture file extension (.png)");
}

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
    if (::geteuid() == 0)
        GTEST_SKIP() << "root can read any file";
    fixtures::writeFile(dir / "locked.jpg", fixtures::makeJpeg({}));
    ::chmod((dir / "locked.jpg").c_str(), 0);
    EXPECT_EQ(messageOf<EFOpenError>([&] { loadPicture(dir / "locked.jpg"); }),
              "Cannot open file \"" + dir / "locked.jpg" + "\". Permission denied");
}

TEST_F(PictureFile, FileShorterThanItsSizeIsAStreamReadError) {
    // sysfs attributes report a size of one page but yield only their text.
    const fs::path attribute = "/sys/kernel/mm/transparent_hugepage/enabled";
    struct stat status {};
    if (::stat(attribute.c_str(), &status) != 0 || status.st_size <= 0)
        GTEST_SKIP() << "no sysfs attribute to read";
    fs::create_symlink(attribute, dir.path() / "short.jpg");
    EXPECT_EQ(messageOf<EReadError>([&] { loadPicture(dir / "short.jpg"); }), "Stream read error");
}

TEST_F(PictureFile, TextAndTableFilesFailAtLoadEmptyFileLoads) {
    fixtures::writeFile(dir / "text.jpg", {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(messageOf<EJPEG>([&] { loadPicture(dir / "text.jpg"); }), "JPEG error #53");
    fixtures::writeFile(dir / "tables.jpg", fixtures::makeTablesOnly());
    EXPECT_EQ(messageOf<EJPEG>([&] { loadPicture(dir / "tables.jpg"); }), "JPEG error #51");
    fixtures::writeFile(dir / "empty.jpg", {});
    EXPECT_EQ(loadPicture(dir / "empty.jpg").width(), 0);
}

TEST(SystemErrorText, DropsTrailingFullStopsSpacesAndControls) {
    EXPECT_EQ(systemErrorText(ENOENT), "No such file or directory");
    EXPECT_EQ(EFOpenError("/x.jpg", "Reason").what(),
              std::string("Cannot open file \"/x.jpg\". Reason"));
}

} // namespace
} // namespace tarvelo
