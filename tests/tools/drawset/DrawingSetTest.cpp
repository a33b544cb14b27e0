// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawingSet.h"

#include "BreedLooks.h"

#include <BreedCatalogue.h>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace tarvelo;
using namespace tarvelo::drawset;

namespace {

// The start-of-frame marker of a JPEG file (0xC0 baseline, 0xC2 progressive),
// found by walking the marker segments; 0 when there is none.
int frameMarker(const QByteArray& bytes) {
    qsizetype at = 2;
    while (at + 4 <= bytes.size() && static_cast<unsigned char>(bytes[at]) == 0xFF) {
        const int marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker >= 0xC0 && marker <= 0xC2) {
            return marker;
        }
        const int length = static_cast<unsigned char>(bytes[at + 2]) * 256 +
                           static_cast<unsigned char>(bytes[at + 3]);
        at += 2 + length;
    }
    return 0;
}

} // namespace

TEST(DrawingSet, WritesNineteenDecodableJpegsOfTheStatedSizesAndScanModes) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString error;
    ASSERT_TRUE(writeDrawingSet(dir.path(), error)) << error.toStdString();

    for (int index = 0; index < breedCount; ++index) {
        SCOPED_TRACE(index);
        const QString path = QDir(dir.path()).filePath(QString::fromStdString(picturePath(index)));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_LT(bytes.size(), 300 * 1024);

        const PictureFormat format = pictureFormat(index);
        EXPECT_EQ(frameMarker(bytes), format.progressive ? 0xC2 : 0xC0);

        QImageReader reader(path, "jpeg");
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), QSize(format.width, format.height));
    }
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath("obr/0/19.jpg")));
}

TEST(DrawingSet, MixesAspectRatiosAndScanModes) {
    int landscape = 0;
    int portrait = 0;
    int square = 0;
    int progressive = 0;
    for (int index = 0; index < breedCount; ++index) {
        const PictureFormat format = pictureFormat(index);
        landscape += format.width > format.height ? 1 : 0;
        portrait += format.width < format.height ? 1 : 0;
        square += format.width == format.height ? 1 : 0;
        progressive += format.progressive ? 1 : 0;
    }
    EXPECT_GT(landscape, 0);
    EXPECT_GT(portrait, 0);
    EXPECT_GT(square, 0);
    EXPECT_GT(progressive, 0);
    EXPECT_LT(progressive, breedCount);
    EXPECT_THROW(pictureFormat(breedCount), std::out_of_range);
    EXPECT_THROW(pictureFormat(-1), std::out_of_range);
    EXPECT_THROW(breedLook(breedCount), std::out_of_range);
}

TEST(DrawingSet, RedrawingGivesTheSamePictureAndBreedsDiffer) {
    // The committed set must be reproducible from the generator.
    EXPECT_EQ(drawPicture(10), drawPicture(10));
    // Two breeds drawn at the same size must not come out alike.
    ASSERT_EQ(pictureFormat(0).width, pictureFormat(6).width);
    ASSERT_EQ(pictureFormat(0).height, pictureFormat(6).height);
    EXPECT_NE(drawPicture(0), drawPicture(6));
}
