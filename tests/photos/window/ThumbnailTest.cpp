// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A row's thumbnail shows the picture as the quiz does: upright, fitted into
// its box on black.
#include "Thumbnail.h"

#include "JpegFixtures.h"
#include "TempDir.h"

#include <QColor>
#include <gtest/gtest.h>

namespace tarvelo::testing {
namespace {

using fixtures::JpegRecipe;

TEST(ThumbnailTest, APhotographIsShownUprightFittedIntoItsBoxOnBlack) {
    fixtures::TempDir dir;
    const QSize box(120, 120);
    // Viewed 160 x 120; stored on its side for every orientation that turns it.
    for (const int orientation : {1, 3, 6, 8}) {
        SCOPED_TRACE("orientation " + std::to_string(orientation));
        const JpegRecipe viewed{.width = 160, .height = 120, .orientation = orientation};
        const std::string name = std::to_string(orientation) + "-turned.jpg";
        fixtures::writeFile(dir.path() / name, fixtures::makeJpeg(viewed));
        const QImage thumbnail = thumbnailOf(QString::fromStdString(dir / name), box);
        ASSERT_EQ(thumbnail.size(), box);
        // 120 x 90 in the middle, black bands above and below.
        EXPECT_EQ(thumbnail.pixelColor(60, 5), QColor(Qt::black));
        EXPECT_EQ(thumbnail.pixelColor(60, 114), QColor(Qt::black));
        for (const auto& [ux, uy] :
             {std::pair{0.25, 0.25}, {0.75, 0.25}, {0.25, 0.75}, {0.75, 0.75}}) {
            const QColor shown =
                thumbnail.pixelColor(static_cast<int>(ux * 120), 15 + static_cast<int>(uy * 90));
            const auto wanted = fixtures::patternPixel(viewed, static_cast<int>(ux * 160),
                                                       static_cast<int>(uy * 120));
            EXPECT_NEAR(shown.red(), wanted[0], 16) << ux << "," << uy;
            EXPECT_NEAR(shown.green(), wanted[1], 16) << ux << "," << uy;
            EXPECT_NEAR(shown.blue(), wanted[2], 16) << ux << "," << uy;
        }
    }
}

} // namespace
} // namespace tarvelo::testing
