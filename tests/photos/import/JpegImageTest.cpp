// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one way from a JPEG to an image: upright, at the smallest of libjpeg's
// scales that covers the size wanted, within the bounds asked for.
#include "JpegImage.h"

#include "ImportMessages.h"
#include "PhotoFixtures.h"

#include <gtest/gtest.h>

namespace tarvelo::fixtures {
namespace {

// The colour at the middle of each quarter, as the picture is viewed.
void expectQuadrantsOf(const JpegRecipe& viewed, const QImage& image) {
    for (const auto& [ux, uy] : {std::pair{0.25, 0.25}, {0.75, 0.25}, {0.25, 0.75}, {0.75, 0.75}}) {
        const QColor shown = image.pixelColor(static_cast<int>(ux * image.width()),
                                              static_cast<int>(uy * image.height()));
        const auto wanted = patternPixel(viewed, static_cast<int>(ux * viewed.width),
                                         static_cast<int>(uy * viewed.height));
        EXPECT_NEAR(shown.red(), wanted[0], 16) << ux << "," << uy;
        EXPECT_NEAR(shown.green(), wanted[1], 16) << ux << "," << uy;
        EXPECT_NEAR(shown.blue(), wanted[2], 16) << ux << "," << uy;
    }
}

TEST(JpegImageTest, TheSizeWantedIsCoveredAtTheSmallestScaleAndTheImageIsUpright) {
    // Stored on its side (480 x 640) with Exif orientation 6, viewed 640 x 480.
    const JpegRecipe viewed{.width = 640, .height = 480, .orientation = 6};
    const Bytes jpeg = makeJpeg(viewed);
    const std::pair<QSize, QSize> wantedThenDecoded[] = {
        {{}, {640, 480}},         // no size wanted: the whole picture
        {{640, 480}, {640, 480}}, // 8/8
        {{300, 200}, {320, 240}}, // 4/8
        {{100, 75}, {160, 120}},  // 2/8
        {{40, 30}, {80, 60}},     // 1/8, the smallest there is
    };
    for (const auto& [wanted, decoded] : wantedThenDecoded) {
        SCOPED_TRACE(std::to_string(wanted.width()) + " x " + std::to_string(wanted.height()));
        JpegImageRequest request;
        if (!wanted.isEmpty()) {
            request.cover = [wanted](QSize upright) {
                EXPECT_EQ(upright, QSize(640, 480));
                return wanted;
            };
        }
        const UprightPicture picture = jpegImage(jpeg, request);
        EXPECT_EQ(picture.image.size(), decoded);
        EXPECT_EQ(picture.storedSize, wanted.isEmpty() ? QSize(640, 480) : wanted);
        EXPECT_EQ(picture.orientation, Orientation::TurnedClockwise);
        expectQuadrantsOf(viewed, picture.image);
    }
}

TEST(JpegImageTest, WhatIsTooLargeOrIncompleteIsRefusedWhereAsked) {
    const Bytes jpeg = makeJpeg({.width = 640, .height = 480, .pattern = Pattern::Photo});
    const Bytes cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 2));
    const auto problemOf = [](const Bytes& bytes, const JpegImageRequest& request) {
        try {
            return jpegImage(bytes, request).image.isNull() ? std::optional(ImportProblem::Damaged)
                                                            : std::nullopt;
        } catch (const ImportFailure& failure) {
            return std::optional(failure.problem);
        }
    };
    const struct {
        const char* what;
        const Bytes& bytes;
        JpegImageRequest request;
        std::optional<ImportProblem> refused;
    } cases[] = {
        {"within the bounds", jpeg, {.cover = {}, .maxPixels = 640 * 480}, std::nullopt},
        {"a pixel too many",
         jpeg,
         {.cover = {}, .maxPixels = 640 * 480 - 1},
         ImportProblem::TooLarge},
        {"a side too long", jpeg, {.cover = {}, .maxSide = 639}, ImportProblem::TooLarge},
        {"cut short, refused", cut, {}, ImportProblem::Truncated},
        {"cut short, shown as the quiz shows it",
         cut,
         {.cover = {}, .refuseIncomplete = false},
         std::nullopt},
        {"no JPEG at all",
         Bytes{0xFF, 0xD8, 0xFF, 0xD9},
         {.cover = {}, .refuseIncomplete = false},
         ImportProblem::Damaged},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(problemOf(c.bytes, c.request), c.refused) << c.what;
    }
}

} // namespace
} // namespace tarvelo::fixtures
