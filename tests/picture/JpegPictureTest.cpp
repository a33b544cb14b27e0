// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegPicture.h"

#include "JpegDecompressor.h"
#include "JpegFixtures.h"
#include "PictureErrors.h"
#include "ReferenceDecode.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <jerror.h>
#include <jpeglib.h>
#include <set>
#include <utility>

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
    for (int y = 0; y < reference.height; ++y) {
        ASSERT_EQ(std::memcmp(raster->row(y),
                              reference.pixels.data() + rowBytes * static_cast<std::size_t>(y),
                              rowBytes),
                  0)
            << "row " << y;
    }
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
    for (std::size_t i = 0; i < raster.palette.size(); ++i) {
        EXPECT_EQ(raster.palette[i][0], reference.greyPalette[i]);
    }
    for (int y = 0; y < raster.height; ++y) {
        ASSERT_EQ(std::memcmp(raster.row(y),
                              reference.pixels.data() + static_cast<std::size_t>(y * raster.width),
                              static_cast<std::size_t>(raster.width)),
                  0)
            << "row " << y;
    }
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

// --- Files of endless scans ------------------------------------------------

TEST(EndlessScans, UpToTheLimitTheyDecodeBitForBitAsTheLibraryDoes) {
    const auto base = fixtures::makeJpeg(recipe(64, 48, true));
    ASSERT_LT(fixtures::countMarkers(base, 0xDA), maxJpegScans);
    const auto bytes = fixtures::withScans(base, maxJpegScans);
    auto picture = JpegPicture::fromBytes(bytes);
    ASSERT_NO_THROW(picture.decodeRaster());
    const auto reference = fixtures::referenceDecode(bytes);
    const Raster& raster = *picture.raster();
    ASSERT_EQ(raster.rowsDecoded, reference.height);
    const auto rowBytes = static_cast<std::size_t>(reference.width * 3);
    for (int y = 0; y < reference.height; ++y) {
        ASSERT_EQ(std::memcmp(raster.row(y),
                              reference.pixels.data() + rowBytes * static_cast<std::size_t>(y),
                              rowBytes),
                  0)
            << "row " << y;
    }
}

TEST(EndlessScans, OneScanMoreLoadsButFailsOnceAtDecodeAsAnInvalidProgression) {
    const auto bytes =
        fixtures::withScans(fixtures::makeJpeg(recipe(64, 48, true)), maxJpegScans + 1);
    auto picture = JpegPicture::fromBytes(bytes);
    EXPECT_EQ(picture.width(), 64);
    EXPECT_TRUE(picture.progressive());
    EXPECT_EQ(jpegErrorCode([&] { picture.decodeRaster(); }), JERR_BAD_PROGRESSION);
    EXPECT_TRUE(picture.decodeFailed());
    EXPECT_NO_THROW(picture.decodeRaster()); // never decodes again
}

TEST(EndlessScans, GreyAndFourComponentFilesAreStoppedAlike) {
    for (const Colour colour : {Colour::Grey, Colour::AdobeCmyk}) {
        auto s = recipe(40, 24, true);
        s.colour = colour;
        auto picture =
            JpegPicture::fromBytes(fixtures::withScans(fixtures::makeJpeg(s), maxJpegScans + 1));
        EXPECT_EQ(jpegErrorCode([&] { picture.decodeRaster(); }), JERR_BAD_PROGRESSION);
    }
}

// --- The Exif orientation reader ------------------------------------------

using fixtures::ByteOrder;
using fixtures::ExifLayout;

// The reader on an exact-size copy, so that a read past its end is a read
// past a heap block, which the sanitizer builds catch.
Orientation orientationOf(const fixtures::Bytes& payload) {
    const fixtures::Bytes exact(payload.begin(), payload.end());
    return exifOrientation(exact);
}

void put16(fixtures::Bytes& bytes, std::size_t at, unsigned value, ByteOrder order) {
    bytes[at + (order == ByteOrder::Big ? 1 : 0)] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + (order == ByteOrder::Big ? 0 : 1)] = static_cast<std::uint8_t>(value >> 8);
}

void put32(fixtures::Bytes& bytes, std::size_t at, std::uint32_t value, ByteOrder order) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + (order == ByteOrder::Big ? 3 - i : i)] =
            static_cast<std::uint8_t>(value >> (8 * i));
    }
}

class ExifReader : public testing::TestWithParam<ByteOrder> {};

TEST_P(ExifReader, ReadsAllEightOrientations) {
    for (int value = 1; value <= 8; ++value) {
        EXPECT_EQ(orientationOf(fixtures::exifPayload(value, GetParam())),
                  static_cast<Orientation>(value))
            << value;
    }
}

TEST_P(ExifReader, ValuesOutsideOneToEightAndForeignMarkersMeanAsStored) {
    const ByteOrder order = GetParam();
    for (int value : {0, 9, 0x0106, 0xFFFF}) {
        EXPECT_EQ(orientationOf(fixtures::exifPayload(value, order)), Orientation::Upright)
            << value;
    }
    const std::string xmp = "http://ns.adobe.com/xap/1.0/";
    fixtures::Bytes xmpPayload(xmp.begin(), xmp.end());
    xmpPayload.push_back(0);
    const auto exif = fixtures::exifPayload(6, order);
    xmpPayload.insert(xmpPayload.end(), exif.begin() + 6, exif.end()); // a TIFF, not Exif
    EXPECT_FALSE(isExifPayload(xmpPayload));
    EXPECT_EQ(orientationOf(xmpPayload), Orientation::Upright);
    EXPECT_TRUE(isExifPayload(exif));

    auto badMark = exif;
    badMark[ExifLayout::tiff + 1] = order == ByteOrder::Big ? 'I' : 'M'; // "IM" or "MI"
    EXPECT_EQ(orientationOf(badMark), Orientation::Upright);
    auto notTiff = exif;
    put16(notTiff, ExifLayout::tiff + 2, 43, order);
    EXPECT_EQ(orientationOf(notTiff), Orientation::Upright);
    auto otherOrder = exif; // the mark says one order, the numbers are in the other
    otherOrder[ExifLayout::tiff] = otherOrder[ExifLayout::tiff + 1] =
        order == ByteOrder::Big ? 'I' : 'M';
    EXPECT_EQ(orientationOf(otherOrder), Orientation::Upright);
}

TEST_P(ExifReader, CutShortAnywhereIsAsStoredUntilTheValueIsWhole) {
    const auto payload = fixtures::exifPayload(6, GetParam());
    ASSERT_EQ(payload.size(), ExifLayout::size);
    const std::size_t valueEnd = ExifLayout::orientationEntry + 10;
    for (std::size_t length = 0; length <= payload.size(); ++length) {
        const fixtures::Bytes cut(payload.begin(),
                                  payload.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(orientationOf(cut),
                  length >= valueEnd ? Orientation::TurnedClockwise : Orientation::Upright)
            << "cut to " << length << " bytes";
    }
}

TEST_P(ExifReader, OffsetsAndCountsThatLeaveTheSegmentMeanAsStored) {
    const ByteOrder order = GetParam();
    const auto payload = fixtures::exifPayload(6, order);
    const auto tiffSize = static_cast<std::uint32_t>(payload.size() - ExifLayout::tiff);
    // The directory offset at, just before and far past the end.
    for (std::uint32_t offset : {tiffSize, tiffSize - 1, tiffSize + 12, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        auto damaged = payload;
        put32(damaged, ExifLayout::directoryOffset, offset, order);
        EXPECT_EQ(orientationOf(damaged), Orientation::Upright) << offset;
    }
    // An absurd entry count ends at the segment's end, without a hang.
    auto absurd = payload;
    put16(absurd, ExifLayout::entryCount, 0xFFFF, order);
    put16(absurd, ExifLayout::orientationEntry, 0x0113, order); // no orientation among them
    EXPECT_EQ(orientationOf(absurd), Orientation::Upright);
    // No entries: the orientation entry is not part of the directory.
    auto none = payload;
    put16(none, ExifLayout::entryCount, 0, order);
    EXPECT_EQ(orientationOf(none), Orientation::Upright);
    // A directory pointing at the header itself reads garbage as entries.
    auto self = payload;
    put32(self, ExifLayout::directoryOffset, 0, order);
    EXPECT_EQ(orientationOf(self), Orientation::Upright);
}

TEST_P(ExifReader, WrongTypeOrCountMeansAsStored) {
    const ByteOrder order = GetParam();
    const auto payload = fixtures::exifPayload(6, order);
    for (unsigned type : {1u, 4u, 8u, 0u, 0xFFFFu}) { // BYTE, LONG, SSHORT, none, nonsense
        auto damaged = payload;
        put16(damaged, ExifLayout::orientationEntry + 2, type, order);
        EXPECT_EQ(orientationOf(damaged), Orientation::Upright) << "type " << type;
    }
    for (std::uint32_t count : {0u, 2u, 0xFFFFFFFFu}) {
        auto damaged = payload;
        put32(damaged, ExifLayout::orientationEntry + 4, count, order);
        EXPECT_EQ(orientationOf(damaged), Orientation::Upright) << "count " << count;
    }
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, ExifReader, testing::Values(ByteOrder::Little, ByteOrder::Big),
                         [](const auto& param) {
                             return param.param == ByteOrder::Little ? "II" : "MM";
                         });

TEST(ExifOrientationMapping, StoredPixelInvertsTheTagsDefinition) {
    // A 5 x 3 stored picture: every stored pixel, viewed where the tag's
    // definition puts it, must be found again by storedPixel.
    constexpr int storedWidth = 5, storedHeight = 3;
    for (int value = 1; value <= 8; ++value) {
        const auto orientation = static_cast<Orientation>(value);
        EXPECT_EQ(swapsSides(orientation), value >= 5);
        const int uprightWidth = value >= 5 ? storedHeight : storedWidth;
        const int uprightHeight = value >= 5 ? storedWidth : storedHeight;
        std::set<std::pair<int, int>> seen;
        for (int y = 0; y < storedHeight; ++y) {
            for (int x = 0; x < storedWidth; ++x) {
                const auto [vx, vy] =
                    fixtures::viewedPosition(value, x, y, storedWidth, storedHeight);
                ASSERT_TRUE(vx >= 0 && vx < uprightWidth && vy >= 0 && vy < uprightHeight);
                seen.insert({vx, vy});
                const StoredPixel at =
                    storedPixel(orientation, vx, vy, uprightWidth, uprightHeight);
                EXPECT_EQ(at.x, x) << "orientation " << value << " at " << vx << "," << vy;
                EXPECT_EQ(at.y, y) << "orientation " << value << " at " << vx << "," << vy;
            }
        }
        EXPECT_EQ(seen.size(), std::size_t{storedWidth * storedHeight});
    }
}

// --- Photographs with an Exif marker ---------------------------------------

JpegRecipe oriented(int width, int height, int orientation, ByteOrder order = ByteOrder::Little) {
    JpegRecipe s = recipe(width, height);
    s.orientation = orientation;
    s.exifByteOrder = order;
    return s;
}

void expectSameRaster(const Raster& a, const Raster& b) {
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    ASSERT_EQ(a.bitsPerPixel, b.bitsPerPixel);
    const auto rowBytes = static_cast<std::size_t>(a.width * a.bitsPerPixel / 8);
    for (int y = 0; y < a.height; ++y) {
        ASSERT_EQ(std::memcmp(a.row(y), b.row(y), rowBytes), 0) << "row " << y;
    }
}

TEST(OrientedJpeg, LoadGivesTheOrientationAndTheUprightSizeAndDecodesAsStored) {
    for (ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
        // A 600 x 800 portrait, stored on its side as 800 x 600.
        const auto bytes = fixtures::makeJpeg(oriented(600, 800, 6, order));
        auto picture = JpegPicture::fromBytes(bytes);
        EXPECT_EQ(picture.orientation(), Orientation::TurnedClockwise);
        EXPECT_EQ(picture.width(), 800);
        EXPECT_EQ(picture.height(), 600);
        EXPECT_EQ(picture.uprightWidth(), 600);
        EXPECT_EQ(picture.uprightHeight(), 800);
        picture.decodeRaster();
        const auto reference = fixtures::referenceDecode(bytes);
        ASSERT_EQ(picture.raster()->width, reference.width);
        EXPECT_EQ(
            std::memcmp(picture.raster()->row(10), reference.pixels.data() + 10 * 800 * 3, 800 * 3),
            0);
        EXPECT_EQ(picture.uprightWidth(), 600); // also from the raster's size
    }
    auto mirrored = JpegPicture::fromBytes(fixtures::makeJpeg(oriented(64, 48, 2)));
    EXPECT_EQ(mirrored.orientation(), Orientation::MirroredLeftRight);
    EXPECT_EQ(mirrored.uprightWidth(), 64);
}

TEST(OrientedJpeg, OrientationOneAndForeignOrDamagedMarkersDecodeBitForBitAsWithout) {
    JpegRecipe s = recipe(120, 90);
    s.pattern = fixtures::Pattern::Photo;
    const auto plain = fixtures::makeJpeg(s);
    auto reference = JpegPicture::fromBytes(plain);
    reference.decodeRaster();

    const std::string xmpText = "http://ns.adobe.com/xap/1.0/";
    fixtures::Bytes xmp(xmpText.begin(), xmpText.end());
    xmp.push_back(0);
    auto damaged = fixtures::exifPayload(6, ByteOrder::Big);
    put32(damaged, ExifLayout::directoryOffset, 0xFFFFFFF0u, ByteOrder::Big);
    auto cut = fixtures::exifPayload(6, ByteOrder::Little);
    cut.resize(ExifLayout::orientationEntry + 9);
    const std::vector<std::pair<const char*, fixtures::Bytes>> variants{
        {"orientation 1", fixtures::withApp1(plain, fixtures::exifPayload(1, ByteOrder::Little))},
        {"orientation 0", fixtures::withApp1(plain, fixtures::exifPayload(0, ByteOrder::Big))},
        {"XMP", fixtures::withApp1(plain, xmp)},
        {"damaged offset", fixtures::withApp1(plain, damaged)},
        {"cut short", fixtures::withApp1(plain, cut)},
        {"empty APP1", fixtures::withApp1(plain, {})},
    };
    for (const auto& [name, bytes] : variants) {
        SCOPED_TRACE(name);
        auto picture = JpegPicture::fromBytes(bytes);
        EXPECT_EQ(picture.orientation(), Orientation::Upright);
        EXPECT_EQ(picture.uprightWidth(), 120);
        EXPECT_EQ(picture.uprightHeight(), 90);
        ASSERT_NO_THROW(picture.decodeRaster());
        EXPECT_FALSE(picture.decodeFailed());
        expectSameRaster(*picture.raster(), *reference.raster());
    }
}

TEST(OrientedJpeg, TheFirstExifMarkerCountsAndXmpBeforeItIsSkipped) {
    const auto plain = fixtures::makeJpeg(recipe(32, 24));
    const std::string xmpText = "http://ns.adobe.com/xap/1.0/";
    fixtures::Bytes xmp(xmpText.begin(), xmpText.end());
    xmp.push_back(0);
    // withApp1 puts its marker first, so the last one added comes first.
    const auto exifThenXmp = fixtures::withApp1(fixtures::withApp1(plain, xmp),
                                                fixtures::exifPayload(8, ByteOrder::Big));
    EXPECT_EQ(JpegPicture::fromBytes(exifThenXmp).orientation(), Orientation::TurnedAnticlockwise);
    const auto xmpThenExif = fixtures::withApp1(
        fixtures::withApp1(plain, fixtures::exifPayload(3, ByteOrder::Little)), xmp);
    EXPECT_EQ(JpegPicture::fromBytes(xmpThenExif).orientation(), Orientation::UpsideDown);
    const auto twoExif =
        fixtures::withApp1(fixtures::withApp1(plain, fixtures::exifPayload(6, ByteOrder::Little)),
                           fixtures::exifPayload(1, ByteOrder::Little));
    EXPECT_EQ(JpegPicture::fromBytes(twoExif).orientation(), Orientation::Upright);
}

} // namespace
} // namespace tarvelo
