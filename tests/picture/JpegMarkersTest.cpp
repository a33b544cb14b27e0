// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The marker walk: what a file would cost to decode and whether it carries
// more than its picture, wherever that stands in the file.
#include "JpegMarkers.h"

#include "JpegFixtures.h"

#include <gtest/gtest.h>

namespace tarvelo::fixtures {
namespace {

// A segment of the given marker with payload, put in front of the byte at `at`.
Bytes withSegment(Bytes jpeg, std::size_t at, std::uint8_t marker, const std::string& payload) {
    const std::size_t length = payload.size() + 2;
    Bytes segment{0xFF, marker, static_cast<std::uint8_t>(length >> 8),
                  static_cast<std::uint8_t>(length & 0xFF)};
    segment.insert(segment.end(), payload.begin(), payload.end());
    jpeg.insert(jpeg.begin() + static_cast<std::ptrdiff_t>(at), segment.begin(), segment.end());
    return jpeg;
}

TEST(JpegMarkers, APlainPictureIsMeasuredAndCarriesNothing) {
    const JpegMarkers baseline = walkJpegMarkers(makeJpeg({.width = 640, .height = 480}));
    EXPECT_TRUE(baseline.wellFormed);
    EXPECT_FALSE(baseline.metadata);
    EXPECT_EQ(baseline.width, 640);
    EXPECT_EQ(baseline.height, 480);
    EXPECT_EQ(baseline.components, 3);
    EXPECT_FALSE(baseline.progressive);
    EXPECT_EQ(baseline.scans, 1);
    EXPECT_EQ(baseline.work(), 640LL * 480);

    const Bytes progressive = makeJpeg({.width = 33, .height = 17, .progressive = true});
    const JpegMarkers scanned = walkJpegMarkers(progressive);
    EXPECT_TRUE(scanned.progressive);
    EXPECT_EQ(scanned.scans, countMarkers(progressive, 0xDA));
    const JpegMarkers many = walkJpegMarkers(withScans(progressive, 99));
    EXPECT_TRUE(many.wellFormed);
    EXPECT_EQ(many.scans, 99);
    EXPECT_EQ(many.work(), 33LL * 17 * 99);

    // Restart markers and grey pictures are walked through too.
    const JpegMarkers restarts = walkJpegMarkers(
        makeJpeg({.colour = Colour::Grey, .pattern = Pattern::Photo, .restartInterval = 1}));
    EXPECT_TRUE(restarts.wellFormed);
    EXPECT_FALSE(restarts.metadata);
    EXPECT_EQ(restarts.components, 1);
}

TEST(JpegMarkers, MetadataIsFoundWhereverItStands) {
    const Bytes jpeg = makeJpeg({.progressive = true});
    // Before the first scan, as a camera writes Exif.
    EXPECT_TRUE(walkJpegMarkers(withApp1(jpeg, exifPayload(6, ByteOrder::Little))).metadata);
    // Between two scans, where a walk that stops at the first scan never looks.
    const std::size_t secondScan = findMarker(jpeg, 0xDA, 1);
    ASSERT_NE(secondScan, std::string::npos);
    for (const std::uint8_t marker : {std::uint8_t{0xE1}, std::uint8_t{0xE2}, std::uint8_t{0xED},
                                      std::uint8_t{0xEF}, std::uint8_t{0xFE}}) {
        const JpegMarkers found = walkJpegMarkers(withSegment(jpeg, secondScan, marker, "GPS"));
        EXPECT_TRUE(found.wellFormed) << int{marker};
        EXPECT_TRUE(found.metadata) << int{marker};
    }
    // JFIF and Adobe's colour marker are part of how a picture decodes.
    EXPECT_FALSE(walkJpegMarkers(withSegment(jpeg, secondScan, 0xEE, "Adobe")).metadata);
    // Bytes after the end of image.
    Bytes trailing = jpeg;
    trailing.insert(trailing.end(), {'G', 'P', 'S', ' ', '5', '0', '.', '1'});
    const JpegMarkers after = walkJpegMarkers(trailing);
    EXPECT_TRUE(after.wellFormed);
    EXPECT_TRUE(after.metadata);
}

TEST(JpegMarkers, AFileTheWalkCannotFollowIsNotTakenAsClean) {
    const Bytes jpeg = makeJpeg({});
    for (const std::size_t length :
         {std::size_t{0}, std::size_t{3}, jpeg.size() / 2, jpeg.size() - 2}) {
        const JpegMarkers cut = walkJpegMarkers(
            Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(length)));
        EXPECT_FALSE(cut.wellFormed) << length;
        EXPECT_TRUE(cut.metadata) << length;
    }
    // A segment whose length runs past the end of the file.
    Bytes overlong = jpeg;
    const std::size_t frame = findMarker(overlong, 0xC0);
    ASSERT_NE(frame, std::string::npos);
    overlong[frame + 2] = 0xFF;
    overlong[frame + 3] = 0xFF;
    EXPECT_FALSE(walkJpegMarkers(overlong).wellFormed);
    const Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_FALSE(walkJpegMarkers(png).wellFormed);
}

} // namespace
} // namespace tarvelo::fixtures
