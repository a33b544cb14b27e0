// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegPicture.h"

#include "JpegFixtures.h"
#include "PictureErrors.h"
#include "ReferenceDecode.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <jerror.h>
#include <jpeglib.h>
#include <set>

namespace tarvelo {
namespace {

using fixtures::Colour;
using fixtures::JpegRecipe;

int jpegErrorCode(const std::function<void()>& action) {
    try {
        action();
    } catch (const EJPEG& e) {
        EXPECT_EQ(std::string(e.what()), "JPEG error #" + std::to_string(e.code()));
        return e.code();
    }
    ADD_FAILURE() << "no JPEG error";
    return -1;
}

// --- Colour rasters equal the library's own float-DCT output ---------------

class ColourDecode : public testing::TestWithParam<JpegRecipe> {};

TEST_P(ColourDecode, RasterIsTheLibrarysFloatDctOutputInBgrRows) {
    const auto bytes = fixtures::makeJpeg(GetParam());
    auto picture = JpegPicture::fromBytes(bytes);
    EXPECT_EQ(picture.width(), GetParam().width);
    EXPECT_EQ(picture.height(), GetParam().height);
    EXPECT_EQ(picture.progressive(), GetParam().progressive);
    EXPECT_FALSE(picture.grayscale());
    ASSERT_EQ(picture.raster(), nullptr);

    picture.decodeRaster();
    const Raster* raster = picture.raster();
    ASSERT_NE(raster, nullptr);
    EXPECT_FALSE(picture.decodeFailed());
    const auto reference = fixtures::referenceDecode(bytes);
    ASSERT_EQ(raster->width, reference.width);
    ASSERT_EQ(raster->height, reference.height);
    ASSERT_EQ(raster->bitsPerPixel, 24);
    EXPECT_EQ(raster->stride % 4, 0u);
    EXPECT_EQ(raster->rowsDecoded, raster->height);
    const auto rowBytes = static_cast<std::size_t>(reference.width * 3);
    for (int y = 0; y < reference.height; ++y)
        ASSERT_EQ(std::memcmp(raster->row(y),
                              reference.pixels.data() + rowBytes * static_cast<std::size_t>(y),
                              rowBytes),
                  0)
            << "row " << y;
    // And the pixels are the picture, in blue-green-red order.
    const auto recipe = GetParam();
    const auto expected = fixtures::patternPixel(recipe, recipe.width / 4, recipe.height / 4);
    const std::uint8_t* px = raster->row(recipe.height / 4) + 3 * (recipe.width / 4);
    EXPECT_NEAR(px[2], expected[0], 24);
    EXPECT_NEAR(px[1], expected[1], 24);
    EXPECT_NEAR(px[0], expected[2], 24);
}

JpegRecipe recipe(int w, int h, bool progressive = false, bool arithmetic = false,
                  int restart = 0) {
    JpegRecipe s;
    s.width = w;
    s.height = h;
    s.progressive = progressive;
    s.arithmetic = arithmetic;
    s.restartInterval = restart;
    return s;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ColourDecode,
                         testing::Values(recipe(64, 48), recipe(64, 48, true), recipe(1, 1),
                                         recipe(106, 466), recipe(641, 233, true),
                                         recipe(37, 19, false, false, 1),
                                         // Arithmetic coding, sequential and progressive.
                                         recipe(80, 60, false, true), recipe(80, 60, true, true)));

// --- Greyscale -------------------------------------------------------------

TEST(GreyDecode, QuantisedTo236GreysWithTheLibrarysOnePassDither) {
    JpegRecipe s;
    s.width = 200;
    s.height = 120;
    s.colour = Colour::Grey;
    s.pattern = fixtures::Pattern::Photo;
    const auto bytes = fixtures::makeJpeg(s);
    auto picture = JpegPicture::fromBytes(bytes);
    EXPECT_TRUE(picture.grayscale());
    picture.decodeRaster();
    const Raster& raster = *picture.raster();
    ASSERT_EQ(raster.bitsPerPixel, 8);
    ASSERT_LE(raster.palette.size(), 236u);
    ASSERT_GE(raster.palette.size(), 2u);
    for (const auto& entry : raster.palette) {
        EXPECT_EQ(entry[0], entry[1]);
        EXPECT_EQ(entry[1], entry[2]);
    }
    const auto reference = fixtures::referenceDecode(bytes);
    ASSERT_EQ(reference.components, 1);
    ASSERT_EQ(raster.palette.size(), reference.greyPalette.size());
    for (std::size_t i = 0; i < raster.palette.size(); ++i)
        EXPECT_EQ(raster.palette[i][0], reference.greyPalette[i]);
    for (int y = 0; y < raster.height; ++y)
        ASSERT_EQ(std::memcmp(raster.row(y),
                              reference.pixels.data() + static_cast<std::size_t>(y * raster.width),
                              static_cast<std::size_t>(raster.width)),
                  0)
            << "row " << y;
}

// --- Four-component files are shown in their colours ------------------------

class FourComponentDecode : public testing::TestWithParam<Colour> {};

TEST_P(FourComponentDecode, ShownInTheColoursTheyEncode) {
    JpegRecipe s;
    s.width = 64;
    s.height = 64;
    s.colour = GetParam();
    auto picture = JpegPicture::fromBytes(fixtures::makeJpeg(s));
    picture.decodeRaster();
    const Raster& raster = *picture.raster();
    ASSERT_EQ(raster.bitsPerPixel, 24);
    for (auto [x, y] : {std::pair{16, 16}, {48, 16}, {16, 48}, {48, 48}}) {
        const auto expected = fixtures::patternPixel(s, x, y);
        const std::uint8_t* px = raster.row(y) + 3 * x;
        EXPECT_NEAR(px[2], expected[0], 12) << x << "," << y;
        EXPECT_NEAR(px[1], expected[1], 12) << x << "," << y;
        EXPECT_NEAR(px[0], expected[2], 12) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, FourComponentDecode,
                         testing::Values(Colour::AdobeCmyk, Colour::PlainCmyk, Colour::Ycck));

// --- Damaged and unusual files ---------------------------------------------

TEST(DamagedJpeg, HeaderErrorsCarryTheLibrarysMessageCode) {
    const std::string text = "This is not a photograph.\n";
    EXPECT_EQ(jpegErrorCode([&] { JpegPicture::fromBytes({text.begin(), text.end()}); }), 53);
    EXPECT_EQ(jpegErrorCode([] { JpegPicture::fromBytes(fixtures::makeTablesOnly()); }), 51);
    auto cut = fixtures::makeJpeg(recipe(64, 48));
    cut.resize(fixtures::findMarker(cut, 0xC0) + 4); // inside the frame header
    EXPECT_GT(jpegErrorCode([&] { JpegPicture::fromBytes(cut); }), 0);
}

TEST(DamagedJpeg, EmptyFileLoadsAndFailsOnceAtDecodeWithEmptyInput) {
    auto picture = JpegPicture::fromBytes({});
    EXPECT_EQ(picture.width(), 0);
    EXPECT_EQ(picture.height(), 0);
    EXPECT_EQ(jpegErrorCode([&] { picture.decodeRaster(); }), 42);
    EXPECT_TRUE(picture.decodeFailed());
    ASSERT_NE(picture.raster(), nullptr);
    EXPECT_TRUE(picture.raster()->empty());
    EXPECT_NO_THROW(picture.decodeRaster()); // never decodes again
}

TEST(DamagedJpeg, TruncatedInTheMiddleDecodesWithoutAnyError) {
    auto s = recipe(160, 120);
    auto bytes = fixtures::makeJpeg(s);
    bytes.resize(bytes.size() * 2 / 3);
    auto picture = JpegPicture::fromBytes(bytes);
    ASSERT_NO_THROW(picture.decodeRaster());
    const Raster& raster = *picture.raster();
    EXPECT_EQ(raster.width, 160);
    EXPECT_EQ(raster.height, 120);
    EXPECT_FALSE(picture.decodeFailed());
    // The top rows were still in the file.
    const auto expected = fixtures::patternPixel(s, 10, 5);
    EXPECT_NEAR(raster.row(5)[3 * 10 + 2], expected[0], 24);
}

TEST(DamagedJpeg, ErrorAfterTheHeaderFailsTheDecodeOnce) {
    // Break the spectral range of the second scan of a progressive file:
    // the header still reads, the decode cannot.
    auto bytes = fixtures::makeJpeg(recipe(64, 48, true));
    const auto sos = fixtures::findMarker(bytes, 0xDA, 1);
    ASSERT_NE(sos, std::string::npos);
    const std::size_t components = bytes[sos + 4];
    bytes[sos + 5 + 2 * components + 1] = 70; // Se beyond 63
    auto picture = JpegPicture::fromBytes(bytes);
    EXPECT_EQ(jpegErrorCode([&] { picture.decodeRaster(); }), JERR_BAD_PROGRESSION);
    EXPECT_TRUE(picture.decodeFailed());
    EXPECT_NO_THROW(picture.decodeRaster());
}

TEST(DamagedJpeg, HugeFrameLoadsButRefusesToDecode) {
    auto bytes = fixtures::makeJpeg(recipe(16, 16));
    fixtures::patchFrameSize(bytes, 60000, 60000);
    auto picture = JpegPicture::fromBytes(bytes);
    EXPECT_EQ(picture.width(), 60000);
    try {
        picture.decodeRaster();
        FAIL() << "no error";
    } catch (const EPictureTooLarge& e) {
        EXPECT_STREQ(e.what(),
                     "Picture too large to display (60000 x 60000 pixels; at most 200 megapixels)");
    }
    EXPECT_TRUE(picture.decodeFailed());
}

TEST(DamagedJpeg, PixelLimitIsInclusive) {
    const auto bytes = fixtures::makeJpeg(recipe(16, 16));
    auto atLimit = JpegPicture::fromBytes(bytes);
    EXPECT_NO_THROW(atLimit.decodeRaster({256}));
    auto overLimit = JpegPicture::fromBytes(bytes);
    EXPECT_THROW(overLimit.decodeRaster({255}), EPictureTooLarge);
}

} // namespace
} // namespace tarvelo
