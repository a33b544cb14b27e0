// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoImport.h"

#include "ExifOrientation.h"
#include "ImportMessages.h"
#include "JpegWriter.h"
#include "PhotoFixtures.h"
#include "TempDir.h"

#include <QColorSpace>
#include <QColorTransform>
#include <QFileInfo>
#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>

namespace tarvelo::fixtures {
namespace {

QString qpath(const TempDir& dir, const std::string& name) {
    return QString::fromStdString(dir / name);
}

int largestDifference(std::array<int, 3> a, std::array<int, 3> b) {
    int d = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        d = std::max(d, std::abs(a[i] - b[i]));
    }
    return d;
}

std::array<int, 3> asInts(std::array<std::uint8_t, 3> c) {
    return {c[0], c[1], c[2]};
}

class PhotoImportTest : public ::testing::Test {
protected:
    TempDir dir;

    // Writes bytes as a source file and imports it to stored.jpg.
    ImportResult import(const Bytes& bytes, const std::string& name = "photo.jpg") {
        writeFile(dir.path() / name, bytes);
        return importPhoto(qpath(dir, name), stored());
    }
    QString stored() const { return qpath(dir, "stored.jpg"); }
};

// Quadrants of four colours show which way a picture lies: every upright
// corner must hold the colour the orientation moves there.
TEST_F(PhotoImportTest, EveryExifOrientationIsTurnedUpright) {
    const JpegRecipe recipe{.width = 160, .height = 120};
    for (int value = 1; value <= 8; ++value) {
        for (const bool bigEndian : {false, true}) {
            SCOPED_TRACE("orientation " + std::to_string(value) + (bigEndian ? " MM" : " II"));
            const auto orientation = static_cast<Orientation>(value);
            const ImportResult result =
                import(withExifOrientation(makeJpeg(recipe), value, bigEndian));
            ASSERT_TRUE(result.ok) << result.message.toStdString();
            EXPECT_EQ(result.appliedOrientation, orientation);
            const bool swap = swapsSides(orientation);
            const QSize upright = swap ? QSize(120, 160) : QSize(160, 120);
            EXPECT_EQ(result.storedSize, upright); // fits: not enlarged
            const JpegPicture picture = quizPicture(stored());
            ASSERT_EQ(picture.width(), upright.width());
            ASSERT_EQ(picture.height(), upright.height());
            for (const auto& [ux, uy] :
                 {std::pair{0.25, 0.25}, {0.75, 0.25}, {0.25, 0.75}, {0.75, 0.75}}) {
                const int x = static_cast<int>(ux * upright.width());
                const int y = static_cast<int>(uy * upright.height());
                const StoredPixel from =
                    storedPixel(orientation, x, y, upright.width(), upright.height());
                EXPECT_LE(largestDifference(rgbAt(*picture.raster(), x, y),
                                            asInts(patternPixel(recipe, from.x, from.y))),
                          12)
                    << "at " << x << "," << y;
            }
        }
    }
}

TEST_F(PhotoImportTest, APhotographIsStoredAtItsPlacementInTheBoxAndNeverEnlarged) {
    const Bytes big = makeJpeg({.width = 6000, .height = 4000, .pattern = Pattern::Photo});
    ImportResult result = import(big);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    // 6000 x 4000 placed in 1923 x 699: as high as the box, 699 * 1.5 wide.
    EXPECT_EQ(result.storedSize, QSize(1048, 699));
    EXPECT_EQ(result.storedBytes, QFileInfo(stored()).size());
    EXPECT_EQ(quizPicture(stored()).width(), 1048);

    result = import(withExifOrientation(big, 6));
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    // 699 x 2/3 is 466 exactly, but the placement rule truncates it to 465.
    EXPECT_EQ(result.storedSize, QSize(465, 699));

    result = import(makeJpeg({.width = 300, .height = 200, .pattern = Pattern::Photo}));
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.storedSize, QSize(300, 200));
    // Wider than the box but low: the width decides.
    result = import(makeJpeg({.width = 4000, .height = 500, .pattern = Pattern::Photo}));
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.storedSize, QSize(1923, 240));
}

TEST_F(PhotoImportTest, TheCopyIsABaselineJpegWithoutMetadataAndTheOriginalIsUntouched) {
    const Bytes phone =
        withIccProfile(withExifOrientation(
                           makeJpeg({.width = 2400, .height = 1800, .pattern = Pattern::Photo}), 6),
                       QColorSpace(QColorSpace::SRgb).iccProfile());
    writeFile(dir.path() / "phone.jpg", phone);
    const QDateTime modified = QFileInfo(qpath(dir, "phone.jpg")).lastModified();
    const ImportResult result = importPhoto(qpath(dir, "phone.jpg"), stored());
    ASSERT_TRUE(result.ok) << result.message.toStdString();

    const Bytes copy = readBytes(stored());
    const auto markers = markersUpToScan(copy);
    EXPECT_EQ(markers.front(), 0xD8);
    EXPECT_EQ(markers.back(), 0xDA);
    EXPECT_EQ(std::count(markers.begin(), markers.end(), 0xDA), 1); // one scan: sequential
    EXPECT_NE(std::find(markers.begin(), markers.end(), 0xC0), markers.end());
    for (const std::uint8_t code : markers) {
        EXPECT_FALSE(code >= 0xE1 && code <= 0xEF) << "APPn marker " << int(code);
        EXPECT_FALSE(code >= 0xC1 && code <= 0xCF && code != 0xC4 && code != 0xCC)
            << "non-baseline frame " << int(code);
    }
    const std::string text(copy.begin(), copy.end());
    EXPECT_EQ(text.find(gpsText), std::string::npos);
    EXPECT_EQ(text.find("Exif"), std::string::npos);

    EXPECT_EQ(readBytes(qpath(dir, "phone.jpg")), phone);
    EXPECT_EQ(QFileInfo(qpath(dir, "phone.jpg")).lastModified(), modified);
    // Importing a picture onto itself reads it whole before writing.
    EXPECT_TRUE(importPhoto(stored(), stored()).ok);
}

TEST_F(PhotoImportTest, CmykGreyAndProgressiveJpegsAndPngAreRead) {
    for (const Colour colour : {Colour::AdobeCmyk, Colour::PlainCmyk, Colour::Ycck, Colour::Grey}) {
        for (const bool progressive : {false, true}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(colour)) +
                         (progressive ? " progressive" : ""));
            const JpegRecipe recipe{
                .width = 1200, .height = 900, .colour = colour, .progressive = progressive};
            const ImportResult result = import(makeJpeg(recipe));
            ASSERT_TRUE(result.ok) << result.message.toStdString();
            EXPECT_EQ(result.storedSize, QSize(931, 699));
            const JpegPicture picture = quizPicture(stored());
            EXPECT_EQ(picture.raster()->bitsPerPixel, 24);
            const auto want = asInts(patternPixel(recipe, 300, 225));
            const auto got = rgbAt(*picture.raster(), 233, 174);
            if (colour == Colour::Grey) {
                EXPECT_LE(std::abs(got[0] - got[1]) + std::abs(got[1] - got[2]), 4);
            } else {
                EXPECT_LE(largestDifference(got, want), 16);
            }
        }
    }

    QImage png(2400, 1600, QImage::Format_ARGB32);
    png.fill(QColor(40, 160, 90));
    ASSERT_TRUE(png.save(qpath(dir, "photo.png"), "PNG"));
    const ImportResult result = importPhoto(qpath(dir, "photo.png"), stored());
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.storedSize, QSize(1048, 699));
    EXPECT_LE(largestDifference(rgbAt(*quizPicture(stored()).raster(), 500, 300), {40, 160, 90}),
              4);

    // Where a picture is transparent, the quiz's black box shows through.
    QImage clear(400, 300, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    ASSERT_TRUE(clear.save(qpath(dir, "clear.png"), "PNG"));
    ASSERT_TRUE(importPhoto(qpath(dir, "clear.png"), stored()).ok);
    EXPECT_LE(largestDifference(rgbAt(*quizPicture(stored()).raster(), 200, 150), {0, 0, 0}), 3);
}

// The quiz draws sRGB: colours of a photograph tagged Display P3 or Adobe RGB
// must become the sRGB colours that look the same.
TEST_F(PhotoImportTest, AColourProfileIsConvertedToSrgb) {
    const std::array<int, 3> colour{60, 170, 90};
    for (const auto named : {QColorSpace::DisplayP3, QColorSpace::AdobeRgb}) {
        SCOPED_TRACE(static_cast<int>(named));
        const QColorSpace space(named);
        const QColor seen = space.transformationToColorSpace(QColorSpace(QColorSpace::SRgb))
                                .map(QColor(colour[0], colour[1], colour[2]));
        const std::array<int, 3> want{seen.red(), seen.green(), seen.blue()};
        ASSERT_GE(largestDifference(want, colour), 10) << "too close to tell apart";

        QImage flat(800, 600, QImage::Format_RGB32);
        flat.fill(QColor(colour[0], colour[1], colour[2]));
        QImage tagged = flat;
        tagged.setColorSpace(space);
        ASSERT_TRUE(tagged.save(qpath(dir, "tagged.png"), "PNG"));
        ImportResult result = importPhoto(qpath(dir, "tagged.png"), stored());
        ASSERT_TRUE(result.ok) << result.message.toStdString();
        EXPECT_LE(largestDifference(rgbAt(*quizPicture(stored()).raster(), 400, 300), want), 4);

        // A JPEG carries its profile in APP2 markers.
        result = import(withIccProfile(encodeBaselineJpeg(flat, 98), space.iccProfile()));
        ASSERT_TRUE(result.ok) << result.message.toStdString();
        EXPECT_LE(largestDifference(rgbAt(*quizPicture(stored()).raster(), 400, 300), want), 5);
    }
}

// A photograph handed over as bytes (a download, an archive's entry) comes
// out as the same stored copy as from its file, and every refusal names it
// by the name it was given.
TEST_F(PhotoImportTest, BytesInHandAreImportedAsTheirFileIsAndRefusalsNameThem) {
    const Bytes jpeg = withExifOrientation(
        makeJpeg({.width = 2400, .height = 1600, .pattern = Pattern::Photo}), 6);
    QImage png(300, 200, QImage::Format_ARGB32);
    png.fill(Qt::darkGreen);
    ASSERT_TRUE(png.save(qpath(dir, "p.png"), "PNG"));
    const Bytes pngBytes = readBytes(qpath(dir, "p.png"));
    for (const Bytes& good : {jpeg, pngBytes}) {
        writeFile(dir.path() / "same.bin", good);
        const ImportedPhoto fromFile = importPhotoFile(qpath(dir, "same.bin"));
        const ImportedPhoto fromBytes = importPhoto(asBytes(good), QStringLiteral("stažená"));
        ASSERT_TRUE(fromBytes.ok) << fromBytes.message.toStdString();
        EXPECT_EQ(fromBytes.stored, fromFile.stored);
        EXPECT_EQ(fromBytes.storedSize, fromFile.storedSize);
        EXPECT_EQ(fromBytes.appliedOrientation, fromFile.appliedOrientation);
        EXPECT_EQ(markersUpToScan({fromBytes.stored.begin(), fromBytes.stored.end()}).at(1),
                  0xE0); // JFIF only: nothing of the source's metadata
    }
    const std::pair<QByteArray, ImportProblem> refused[] = {
        {QByteArray(), ImportProblem::Empty},
        {QByteArray("<html>Not Found</html>"), ImportProblem::NotAnImage},
        {asBytes(jpeg).left(asBytes(jpeg).size() / 3), ImportProblem::Truncated},
    };
    const QString name = QStringLiteral("Kráva „1“.jpg");
    for (const auto& [bytes, problem] : refused) {
        const ImportedPhoto result = importPhoto(bytes, name);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.stored.isEmpty());
        EXPECT_EQ(result.message, importMessage(problem, name)) << result.message.toStdString();
    }
}

} // namespace
} // namespace tarvelo::fixtures
