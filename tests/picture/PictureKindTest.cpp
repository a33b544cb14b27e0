// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureKind.h"

#include "PictureErrors.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(PictureKind, ExtensionIsTheTextAfterTheLastDotOfTheFileName) {
    EXPECT_EQ(pictureExtension("obr/0/12.jpg"), "jpg");
    EXPECT_EQ(pictureExtension("a.b.JPEG"), "JPEG");
    EXPECT_EQ(pictureExtension("noextension"), "");
    EXPECT_EQ(pictureExtension("dir.jpg/file"), "");
    EXPECT_EQ(pictureExtension("dir.jpg\\file"), "");
    EXPECT_EQ(pictureExtension("c.jpg:stream"), "");
    EXPECT_EQ(pictureExtension("trailing."), "");
}

TEST(PictureKind, JpegExtensionsMatchInAnyCase) {
    for (const char* ext : {"jpg", "JPG", "Jpg", "jpeg", "JPEG", "jPeG"}) {
        EXPECT_EQ(findPictureKind(ext), PictureKind::Jpeg) << ext;
    }
    for (const char* ext : {"png", "bmp", "jpgx", "jp", ""}) {
        EXPECT_FALSE(findPictureKind(ext)) << ext;
    }
}

TEST(PictureKind, UnknownExtensionNamesItAsWritten) {
    try {
        choosePictureKind("obr/0/1.PnG");
        FAIL() << "no error";
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Unknown picture file extension (.PnG)");
    }
    try {
        choosePictureKind("obr/0/1");
        FAIL() << "no error";
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Unknown picture file extension (.)");
    }
}

} // namespace
} // namespace tarvelo
