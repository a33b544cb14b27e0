// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureBox.h"

#include "JpegFixtures.h"
#include "PictureErrors.h"
#include "RecordingApplication.h"
#include "TempDir.h"

#include <QPalette>
#include <QTest>
#include <gtest/gtest.h>

namespace tarvelo {
namespace {

using fixtures::JpegRecipe;

// The quiz window's arrangement: a black parent, the box at (16, 16), 641 x 233.
class PictureBoxTest : public testing::Test {
protected:
    PictureBoxTest() {
        group.resize(673, 265);
        QPalette palette = group.palette();
        palette.setColor(QPalette::Window, Qt::black);
        group.setPalette(palette);
        group.setAutoFillBackground(true);
        box = new PictureBox(&group);
        box->setGeometry(16, 16, 641, 233);
        fixtures::RecordingApplication::instance().errors.clear();
    }

    std::string photo(const std::string& name, const JpegRecipe& recipe) {
        fixtures::writeFile(dir / name, fixtures::makeJpeg(recipe));
        return dir / name;
    }

    // What the box area looks like on screen, in box coordinates.
    QImage rendered() { return group.grab().toImage().copy(16, 16, 641, 233); }

    // The whole arrangement on a screen with `ratio` device pixels to the
    // logical pixel, in device pixels; magenta wherever nothing was painted.
    QImage renderedAt(qreal ratio) {
        QImage target((QSizeF(group.size()) * ratio).toSize(), QImage::Format_RGB32);
        target.setDevicePixelRatio(ratio);
        target.fill(Qt::magenta);
        group.render(&target);
        return target;
    }

    const std::vector<std::string>& errors() const {
        return fixtures::RecordingApplication::instance().errors;
    }

    fixtures::TempDir dir;
    QWidget group;
    PictureBox* box; // owned by group
};

QColor rgbOf(const std::array<std::uint8_t, 3>& c) {
    return QColor(c[0], c[1], c[2]);
}

void expectNear(QColor actual, QColor expected, int tolerance, const char* where) {
    EXPECT_NEAR(actual.red(), expected.red(), tolerance) << where;
    EXPECT_NEAR(actual.green(), expected.green(), tolerance) << where;
    EXPECT_NEAR(actual.blue(), expected.blue(), tolerance) << where;
}

// Corners, left, top, right and bottom: those of `drawn` in the image show
// the pattern's pixels at those of `source` in the photograph.
struct Corners {
    int left, top, right, bottom;
};
void expectCorners(const QImage& image, Corners drawn, const JpegRecipe& recipe, Corners source,
                   int tolerance) {
    const auto expect = [&](int x, int y, int sx, int sy, const char* where) {
        expectNear(image.pixelColor(x, y), rgbOf(fixtures::patternPixel(recipe, sx, sy)), tolerance,
                   where);
    };
    expect(drawn.left, drawn.top, source.left, source.top, "top left");
    expect(drawn.right, drawn.top, source.right, source.top, "top right");
    expect(drawn.left, drawn.bottom, source.left, source.bottom, "bottom left");
    expect(drawn.right, drawn.bottom, source.right, source.bottom, "bottom right");
}

TEST_F(PictureBoxTest, EmptyBoxShowsTheParentsBlack) {
    EXPECT_EQ(box->state(), PictureBox::State::Empty);
    const QImage image = rendered();
    for (QPoint p : {QPoint(0, 0), QPoint(320, 116), QPoint(640, 232)}) {
        EXPECT_EQ(image.pixelColor(p), QColor(Qt::black));
    }
}

TEST_F(PictureBoxTest, LargePhotoIsScaledDownCentredAndBlackAround) {
    JpegRecipe recipe;
    recipe.width = 800;
    recipe.height = 600;
    box->loadPicture(photo("0.jpg", recipe));
    EXPECT_EQ(box->state(), PictureBox::State::Loaded);
    EXPECT_EQ(box->decodeCount(), 0); // loading never decodes
    EXPECT_EQ(box->placement(), (PlacementRect{165, 0, 475, 233}));
    EXPECT_FALSE(box->opaque());

    const QImage image = rendered();
    EXPECT_EQ(box->state(), PictureBox::State::Decoded);
    EXPECT_EQ(image.pixelColor(164, 100), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(475, 100), QColor(Qt::black));
    expectCorners(image, {170, 5, 470, 228}, recipe, {20, 20, 780, 580}, 12);
    EXPECT_TRUE(errors().empty());
}

TEST_F(PictureBoxTest, PhotoThatFitsIsDrawnPixelForPixelAtNaturalSize) {
    JpegRecipe recipe;
    recipe.width = 300;
    recipe.height = 200;
    recipe.pattern = fixtures::Pattern::Photo;
    box->loadPicture(photo("1.jpg", recipe));
    const QImage image = rendered();
    const Raster& raster = *box->picture()->raster();
    EXPECT_EQ(box->placement(), (PlacementRect{170, 16, 470, 216}));
    int mismatches = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 300; ++x) {
            const std::uint8_t* px = raster.row(y) + 3 * x;
            if (image.pixel(170 + x, 16 + y) != qRgb(px[2], px[1], px[0])) {
                ++mismatches;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(image.pixelColor(169, 100), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(300, 15), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(300, 216), QColor(Qt::black));
}

TEST_F(PictureBoxTest, RepaintsNeitherDecodeNorRescaleAgain) {
    JpegRecipe recipe;
    recipe.width = 1000;
    recipe.height = 700;
    box->loadPicture(photo("2.jpg", recipe));
    const QImage first = rendered();
    const QImage second = rendered();
    rendered();
    EXPECT_EQ(box->decodeCount(), 1);
    EXPECT_EQ(box->scaleCount(), 1);
    EXPECT_EQ(first, second);
}

QRgb rasterPixel(const Raster& raster, int x, int y) {
    const std::uint8_t* row = raster.row(y);
    if (raster.bitsPerPixel == 8) {
        return qRgb(raster.palette[row[x]][0], raster.palette[row[x]][1],
                    raster.palette[row[x]][2]);
    }
    return qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
}

TEST_F(PictureBoxTest, HighDensityScreensShowAPhotoPixelInEveryDevicePixel) {
    JpegRecipe large;
    large.width = 800;
    large.height = 600;
    large.pattern = fixtures::Pattern::Photo;
    JpegRecipe smallGrey; // never enlarged in logical pixels: 2 x 2 device pixels each at 2
    smallGrey.width = 300;
    smallGrey.height = 200;
    smallGrey.colour = fixtures::Colour::Grey;
    smallGrey.pattern = fixtures::Pattern::Photo;

    for (const JpegRecipe& recipe : {large, smallGrey}) {
        box->loadPicture(photo(std::to_string(recipe.width) + ".jpg", recipe));
        const int decodes = box->decodeCount();
        for (const qreal ratio : {2.0, 1.5, 1.25, 1.75, 1.0}) {
            SCOPED_TRACE(testing::Message() << recipe.width << " wide, ratio " << ratio);
            const QImage image = renderedAt(ratio);
            const PlacementRect r = box->placement();
            const auto device = [ratio](int logical) { return qRound((16 + logical) * ratio); };
            const QRect target(QPoint(device(r.left), device(r.top)),
                               QPoint(device(r.right) - 1, device(r.bottom) - 1));
            const Raster& raster = *box->picture()->raster();

            // Each device pixel takes the photograph's pixel under its centre.
            int wrong = 0;
            for (int y = target.top(); y <= target.bottom(); ++y) {
                const int sy = (2 * (y - target.top()) + 1) * raster.height / (2 * target.height());
                for (int x = target.left(); x <= target.right(); ++x) {
                    const int sx =
                        (2 * (x - target.left()) + 1) * raster.width / (2 * target.width());
                    if (image.pixel(x, y) != rasterPixel(raster, sx, sy)) {
                        ++wrong;
                    }
                }
            }
            EXPECT_EQ(wrong, 0);

            // A photograph with more pixels than the screen has no doubled columns.
            if (raster.width >= target.width()) {
                int doubled = 0;
                for (int x = target.left() + 1; x <= target.right(); ++x) {
                    doubled += image.copy(x, target.top(), 1, target.height()) ==
                               image.copy(x - 1, target.top(), 1, target.height());
                }
                EXPECT_EQ(doubled, 0);
            }

            // Black right up to the picture on every side, nothing drawn past it.
            const QRect boxArea(QPoint(device(0), device(0)),
                                QPoint(device(641) - 1, device(233) - 1));
            int outside = 0;
            for (int y = boxArea.top(); y <= boxArea.bottom(); ++y) {
                for (int x = boxArea.left(); x <= boxArea.right(); ++x) {
                    if (!target.contains(x, y) && image.pixel(x, y) != qRgb(0, 0, 0)) {
                        ++outside;
                    }
                }
            }
            EXPECT_EQ(outside, 0);
        }
        // Moving between screens rescales the decoded raster; it never decodes again.
        EXPECT_EQ(box->decodeCount(), decodes + 1);
    }
}

TEST_F(PictureBoxTest, PhotoFillingTheBoxMakesItOpaque) {
    JpegRecipe recipe;
    recipe.width = 641;
    recipe.height = 233;
    box->loadPicture(photo("3.jpg", recipe));
    EXPECT_TRUE(box->opaque());
    const QImage image = rendered();
    expectNear(image.pixelColor(0, 0), rgbOf(fixtures::patternPixel(recipe, 0, 0)), 16, "corner");
    expectNear(image.pixelColor(640, 232), rgbOf(fixtures::patternPixel(recipe, 640, 232)), 16,
               "corner");
}

TEST_F(PictureBoxTest, GreyscalePhotoIsShownInGreys) {
    JpegRecipe recipe;
    recipe.colour = fixtures::Colour::Grey;
    recipe.pattern = fixtures::Pattern::Photo;
    recipe.width = 200;
    recipe.height = 100;
    box->loadPicture(photo("4.jpg", recipe));
    const QImage image = rendered();
    const PlacementRect r = box->placement();
    int colourful = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() != c.green() || c.green() != c.blue()) {
                ++colourful;
            }
        }
    }
    EXPECT_EQ(colourful, 0);
}

TEST_F(PictureBoxTest, EmptyFileBlanksTheAreaAndReportsOnceAtTheFirstPaint) {
    JpegRecipe recipe;
    box->loadPicture(photo("5.jpg", recipe));
    rendered();
    fixtures::writeFile(dir / "empty.jpg", {});
    box->loadPicture(dir / "empty.jpg");
    EXPECT_TRUE(errors().empty());

    QImage image = rendered();
    EXPECT_EQ(errors(), std::vector<std::string>{"JPEG error #42"});
    EXPECT_EQ(box->state(), PictureBox::State::Failed);
    EXPECT_EQ(image.pixelColor(320, 116), QColor(Qt::black));

    image = rendered();
    EXPECT_EQ(errors().size(), 1u);
    EXPECT_EQ(box->decodeCount(), 2);
    EXPECT_EQ(image.pixelColor(320, 116), QColor(Qt::black));
}

TEST_F(PictureBoxTest, ErrorAfterTheHeaderIsReportedOnceAndThePaintRecovers) {
    JpegRecipe recipe;
    recipe.progressive = true;
    auto bytes = fixtures::makeJpeg(recipe);
    const auto sos = fixtures::findMarker(bytes, 0xDA, 1);
    bytes[sos + 5 + 2 * bytes[sos + 4] + 1] = 70; // impossible spectral range
    fixtures::writeFile(dir / "bad.jpg", bytes);
    box->loadPicture(dir / "bad.jpg");

    group.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&group));
    QCoreApplication::processEvents();
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors()[0].rfind("JPEG error #", 0), 0u);
    EXPECT_EQ(box->state(), PictureBox::State::Failed);
    box->repaint();
    EXPECT_EQ(errors().size(), 1u);
    EXPECT_EQ(box->decodeCount(), 1);

    // The paint left cleanly: a new load schedules a repaint again, which
    // needs the drawing flag cleared.
    const int paints = box->paintCount();
    box->loadPicture(photo("6.jpg", JpegRecipe{}));
    // QTest's own QTRY_ macros only return on failure, unseen by gtest.
    EXPECT_TRUE(QTest::qWaitFor([&] { return box->paintCount() > paints; }));
    EXPECT_EQ(box->state(), PictureBox::State::Decoded);
    EXPECT_EQ(errors().size(), 1u);
}

TEST_F(PictureBoxTest, EndlessScansAreRefusedAtTheFirstPaintAndPlayGoesOn) {
    JpegRecipe recipe;
    recipe.width = 1600;
    recipe.height = 1200;
    recipe.progressive = true;
    fixtures::writeFile(dir / "endless.jpg",
                        fixtures::withScans(fixtures::makeJpeg(recipe), 20000));
    box->loadPicture(dir / "endless.jpg");
    EXPECT_TRUE(errors().empty());

    rendered();
    EXPECT_EQ(errors(), std::vector<std::string>{"JPEG error #16"});
    EXPECT_EQ(box->state(), PictureBox::State::Failed);
    rendered();
    EXPECT_EQ(errors().size(), 1u);

    box->loadPicture(photo("8.jpg", JpegRecipe{}));
    rendered();
    EXPECT_EQ(box->state(), PictureBox::State::Decoded);
    EXPECT_EQ(errors().size(), 1u);
}

TEST_F(PictureBoxTest, FailedLoadChangesNothingAndSchedulesNoRepaint) {
    box->loadPicture(photo("7.jpg", JpegRecipe{}));
    group.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&group));
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->state() == PictureBox::State::Decoded; }));
    const JpegPicture* shown = box->picture();
    const int paints = box->paintCount();

    fixtures::writeFile(dir / "text.jpg", {'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'});
    EXPECT_THROW(box->loadPicture(dir / "text.jpg"), EJPEG);
    EXPECT_THROW(box->loadPicture(dir / "missing.jpg"), EFOpenError);
    EXPECT_THROW(box->loadPicture(dir / "photo.png"), EInvalidGraphic);
    QTest::qWait(50);
    EXPECT_EQ(box->paintCount(), paints);
    EXPECT_EQ(box->picture(), shown);
    EXPECT_EQ(box->state(), PictureBox::State::Decoded);
}

// --- Photographs stored turned or mirrored are drawn upright ----------------

TEST_F(PictureBoxTest, PhotoStoredOnItsSideIsPlacedAsThePortraitItShows) {
    JpegRecipe portrait;
    portrait.width = 600;
    portrait.height = 800;
    JpegRecipe onItsSide = portrait; // stored 800 x 600, orientation 6
    onItsSide.orientation = 6;
    box->loadPicture(photo("portrait.jpg", portrait));
    const PlacementRect upright = box->placement();
    EXPECT_EQ(upright, (PlacementRect{233, 0, 407, 233})); // 174 x 233
    box->loadPicture(photo("side.jpg", onItsSide));
    EXPECT_EQ(box->picture()->width(), 800);
    EXPECT_EQ(box->picture()->height(), 600);
    EXPECT_EQ(box->placement(), upright); // before the decode, from the header
    EXPECT_EQ(box->decodeCount(), 0);
    const QImage image = rendered();
    EXPECT_EQ(box->state(), PictureBox::State::Decoded);
    EXPECT_EQ(box->placement(), upright); // and after it, from the raster
    EXPECT_EQ(image.pixelColor(232, 100), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(407, 100), QColor(Qt::black));
    // The quadrants where the portrait has them: red top left, yellow bottom right.
    expectCorners(image, {240, 10, 400, 225}, portrait, {20, 20, 580, 780}, 16);
    EXPECT_TRUE(errors().empty());
}

TEST_F(PictureBoxTest, PhotoFillingTheBoxOnceTurnedMakesItOpaque) {
    JpegRecipe recipe; // stored 233 x 641
    recipe.width = 641;
    recipe.height = 233;
    recipe.orientation = 8;
    box->loadPicture(photo("fill.jpg", recipe));
    EXPECT_EQ(box->placement(), (PlacementRect{0, 0, 641, 233}));
    EXPECT_TRUE(box->opaque());
    const QImage image = rendered();
    expectNear(image.pixelColor(5, 5), rgbOf(fixtures::patternPixel(recipe, 5, 5)), 16, "corner");
    expectNear(image.pixelColor(635, 228), rgbOf(fixtures::patternPixel(recipe, 635, 228)), 16,
               "corner");
}

// The decoded raster as the tag's definition says it is viewed, independent
// of the picture code's own mapping.
QImage viewedRaster(const Raster& raster, int orientation) {
    const bool turned = orientation >= 5;
    QImage viewed(turned ? raster.height : raster.width, turned ? raster.width : raster.height,
                  QImage::Format_RGB32);
    for (int y = 0; y < raster.height; ++y) {
        for (int x = 0; x < raster.width; ++x) {
            const auto [vx, vy] =
                fixtures::viewedPosition(orientation, x, y, raster.width, raster.height);
            viewed.setPixel(vx, vy, rasterPixel(raster, x, y));
        }
    }
    return viewed;
}

class TurnedPhotoTest : public PictureBoxTest, public testing::WithParamInterface<int> {};

TEST_P(TurnedPhotoTest, DrawnUprightInEveryDevicePixel) {
    const int orientation = GetParam();
    JpegRecipe large; // scaled down, 175 x 233 in the box
    large.width = 450;
    large.height = 600;
    large.orientation = orientation;
    large.pattern = fixtures::Pattern::Photo;
    JpegRecipe small = large; // natural size; 2 x 2 device pixels each at ratio 2
    small.width = 300;
    small.height = 160;
    small.colour = fixtures::Colour::Grey;

    for (const JpegRecipe& recipe : {large, small}) {
        box->loadPicture(photo(std::to_string(recipe.width) + ".jpg", recipe));
        for (const qreal ratio : {1.0, 2.0}) {
            SCOPED_TRACE(testing::Message() << recipe.width << " wide, ratio " << ratio);
            const QImage image = renderedAt(ratio);
            const PlacementRect r = box->placement();
            EXPECT_EQ(r, placementRect(recipe.width, recipe.height, 641, 233));
            const auto device = [ratio](int logical) { return qRound((16 + logical) * ratio); };
            const QRect target(QPoint(device(r.left), device(r.top)),
                               QPoint(device(r.right) - 1, device(r.bottom) - 1));
            const QImage viewed = viewedRaster(*box->picture()->raster(), orientation);
            ASSERT_EQ(viewed.size(), QSize(recipe.width, recipe.height));

            int wrong = 0;
            for (int y = target.top(); y <= target.bottom(); ++y) {
                const int vy =
                    (2 * (y - target.top()) + 1) * viewed.height() / (2 * target.height());
                for (int x = target.left(); x <= target.right(); ++x) {
                    const int vx =
                        (2 * (x - target.left()) + 1) * viewed.width() / (2 * target.width());
                    if (image.pixel(x, y) != viewed.pixel(vx, vy)) {
                        ++wrong;
                    }
                }
            }
            EXPECT_EQ(wrong, 0);
            // And what is viewed is the pattern, the right way round.
            for (const auto& [fx, fy] :
                 {std::pair{0.1, 0.1}, {0.9, 0.15}, {0.2, 0.85}, {0.8, 0.9}}) {
                const QPoint at(target.left() + static_cast<int>(fx * target.width()),
                                target.top() + static_cast<int>(fy * target.height()));
                const auto expected =
                    fixtures::patternPixel(recipe, static_cast<int>(fx * recipe.width),
                                           static_cast<int>(fy * recipe.height));
                const QColor shown = image.pixelColor(at);
                if (recipe.colour == fixtures::Colour::Grey) {
                    const int grey =
                        (expected[0] * 299 + expected[1] * 587 + expected[2] * 114) / 1000;
                    EXPECT_NEAR(shown.red(), grey, 40) << fx << "," << fy;
                } else {
                    expectNear(shown, rgbOf(expected), 40, "pattern");
                }
            }
        }
    }
    EXPECT_TRUE(errors().empty());
}

INSTANTIATE_TEST_SUITE_P(Orientations, TurnedPhotoTest, testing::Range(1, 9));

} // namespace
} // namespace tarvelo
