// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureFile.h"

#include "JpegFixtures.h"
#include "PictureErrors.h"
#include "PictureFileTesting.h"
#include "Utf8Path.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tarvelo {
namespace {

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

TEST_F(PictureFile, TextAndTableFilesFailAtLoadEmptyFileLoads) {
    fixtures::writeFile(dir / "text.jpg", {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(messageOf<EJPEG>([&] { loadPicture(dir / "text.jpg"); }), "JPEG error #53");
    fixtures::writeFile(dir / "tables.jpg", fixtures::makeTablesOnly());
    EXPECT_EQ(messageOf<EJPEG>([&] { loadPicture(dir / "tables.jpg"); }), "JPEG error #51");
    fixtures::writeFile(dir / "empty.jpg", {});
    EXPECT_EQ(loadPicture(dir / "empty.jpg").width(), 0);
}

// Bigger than any photograph: refused by its size, before a byte of it is
// read or allocated; one of exactly the limit is read whole.
TEST_F(PictureFile, AFileOverTheSizeLimitIsRefusedOneAtTheLimitIsRead) {
    fixtures::writeFile(dir / "big.jpg", fixtures::makeJpeg({}));
    std::filesystem::resize_file(pathFromUtf8(dir / "big.jpg"), maxPictureFileBytes + 1);
    const std::string refused = messageOf<EFOpenError>([&] { loadPicture(dir / "big.jpg"); });
    EXPECT_EQ(refused.rfind("Cannot open file \"" + dir / "big.jpg" + "\". ", 0), 0u) << refused;

    std::filesystem::resize_file(pathFromUtf8(dir / "big.jpg"), maxPictureFileBytes);
    EXPECT_EQ(readPictureFile(dir / "big.jpg").size(), maxPictureFileBytes);
    EXPECT_EQ(loadPicture(dir / "big.jpg").width(), 64); // what follows the picture is ignored
}

} // namespace
} // namespace tarvelo
