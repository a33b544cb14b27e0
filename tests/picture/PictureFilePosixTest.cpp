// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening photographs with POSIX files: the errno texts, permissions, sysfs.
#include "JpegFixtures.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "PictureFileTesting.h"
#include "RegularFile.h"

#include <cerrno>
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

// Named like a photograph but no file to read: a FIFO would make a read wait
// for a writer that never comes, a device would never end it. Each is refused
// at once with the system's words for what cannot be done.
TEST_F(PictureFile, PipesAndDevicesAreRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo((dir / "fifo.jpg").c_str(), 0644), 0);
    EXPECT_EQ(messageOf<EFOpenError>([&] { loadPicture(dir / "fifo.jpg"); }),
              "Cannot open file \"" + dir / "fifo.jpg" + "\". Operation not supported");
    for (const char* device : {"/dev/zero", "/dev/null"}) {
        const std::string link = dir / (fs::path(device).filename().string() + ".jpg");
        fs::create_symlink(device, link);
        EXPECT_EQ(messageOf<EFOpenError>([&] { loadPicture(link); }),
                  "Cannot open file \"" + link + "\". Operation not supported");
    }
}

TEST_F(PictureFile, ASparseTerabyteIsRefusedBeforeAnythingIsAllocated) {
    fixtures::writeFile(dir / "3.jpg", fixtures::makeJpeg({}));
    fs::resize_file(dir / "3.jpg", 1ULL << 40);
    EXPECT_EQ(messageOf<EFOpenError>([&] { loadPicture(dir / "3.jpg"); }),
              "Cannot open file \"" + dir / "3.jpg" + "\". File too large");
}

// A file is judged on what its open gave, so whatever stands at the path
// then is what counts: a FIFO is refused without waiting for a writer, a
// device behind a link as well, and a link itself where none may be.
TEST_F(PictureFile, ARegularFileIsJudgedOnWhatWasOpened) {
    using Refusal = RegularFile::Refusal;
    fixtures::writeFile(dir / "photo.jpg", fixtures::makeJpeg({}));
    fs::create_directory(dir.path() / "folder.jpg");
    ASSERT_EQ(::mkfifo((dir / "fifo.jpg").c_str(), 0644), 0);
    fs::create_symlink(dir.path() / "photo.jpg", dir.path() / "link.jpg");
    fs::create_symlink("/dev/null", dir.path() / "null.jpg");
    const auto size = fs::file_size(dir.path() / "photo.jpg");
    struct Case {
        const char* name;
        Links links;
        Refusal refusal;
        int error;
    };
    const Case cases[] = {
        {"photo.jpg", Links::Follow, Refusal::None, 0},
        {"photo.jpg", Links::Refuse, Refusal::None, 0},
        {"link.jpg", Links::Follow, Refusal::None, 0},
        {"link.jpg", Links::Refuse, Refusal::Link, ELOOP},
        {"folder.jpg", Links::Follow, Refusal::Folder, EISDIR},
        {"fifo.jpg", Links::Follow, Refusal::NotRegular, ENOTSUP},
        {"null.jpg", Links::Follow, Refusal::NotRegular, ENOTSUP},
        {"null.jpg", Links::Refuse, Refusal::Link, ELOOP},
        {"missing.jpg", Links::Follow, Refusal::Missing, ENOENT},
        {"photo.jpg/inside", Links::Follow, Refusal::Missing, ENOTDIR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.links == Links::Refuse ? " (no links)" : ""));
        RegularFile file(dir / c.name, c.links);
        EXPECT_EQ(file.refusal(), c.refusal);
        EXPECT_EQ(file.error(), c.error);
        EXPECT_EQ(file.isOpen(), c.refusal == Refusal::None);
        if (file.isOpen()) {
            EXPECT_EQ(file.size(), size);
            char first[2] = {};
            EXPECT_EQ(::read(file.descriptor(), first, 2), 2);
            EXPECT_EQ(static_cast<unsigned char>(first[0]), 0xFF);
        } else {
            EXPECT_EQ(file.descriptor(), -1);
        }
    }
}

TEST(SystemErrorText, DropsTrailingFullStopsSpacesAndControls) {
    EXPECT_EQ(systemErrorText(ENOENT), "No such file or directory");
    EXPECT_EQ(EFOpenError("/x.jpg", "Reason").what(),
              std::string("Cannot open file \"/x.jpg\". Reason"));
}

} // namespace
} // namespace tarvelo
