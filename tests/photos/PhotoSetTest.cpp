// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoSet.h"

#include "BreedCatalogue.h"
#include "PhotoFixtures.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace tarvelo::fixtures {
namespace {

class PhotoSetTest : public ::testing::Test {
protected:
    TempDir dir;
    // Czech letters in the folder's name, as a teacher's USB stick may have.
    QString root = QString::fromStdString(dir / "Třída 3.B/sada");
    PhotoSet set{root, QStringLiteral(TARVELO_SOURCE_DRAWINGS)};

    QString photo(int width, int height) {
        const std::string name =
            "foto-" + std::to_string(width) + "x" + std::to_string(height) + ".jpg";
        writeFile(dir.path() / name,
                  makeJpeg({.width = width, .height = height, .pattern = Pattern::Photo}));
        return QString::fromStdString(dir / name);
    }
};

TEST_F(PhotoSetTest, FirstUseMakesAWholeSetOfTheDrawings) {
    ASSERT_FALSE(QFileInfo::exists(root));
    QString message;
    ASSERT_TRUE(set.ensureComplete(&message)) << message.toStdString();
    for (int index = 0; index < breedCount; ++index) {
        EXPECT_TRUE(set.isDrawing(index)) << index;
        EXPECT_EQ(set.problem(index), std::nullopt) << index;
        EXPECT_TRUE(set.picturePath(index).endsWith(QStringLiteral("/obr/0/%1.jpg").arg(index)));
    }
    EXPECT_EQ(QDir(root + "/obr/0").entryList(QDir::Files).size(), breedCount);

    // A picture lost later comes back; the others stay as they are.
    ASSERT_TRUE(set.choose(2, photo(1600, 1200)).ok);
    QFile::remove(set.picturePath(9));
    ASSERT_TRUE(set.ensureComplete());
    EXPECT_TRUE(set.isDrawing(9));
    EXPECT_FALSE(set.isDrawing(2));
}

TEST_F(PhotoSetTest, WithoutTheDrawingsNothingIsWritten) {
    PhotoSet lost(root, QString());
    QString message;
    EXPECT_FALSE(lost.ensureComplete(&message));
    EXPECT_TRUE(message.contains("Kresby")) << message.toStdString();
    const ImportResult result = lost.choose(3, photo(800, 600));
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(root));
}

// The folders where sets live come as std::filesystem paths: a Czech name
// stays as it is, and no drawings found stays no drawings, not ".".
TEST_F(PhotoSetTest, FoldersOfTheSetPlacesKeepTheirNames) {
    const PhotoSet named = PhotoSet::inFolders(dir.path() / pathFromUtf8("Třída 3.B/x/../sada"),
                                               pathFromUtf8(TARVELO_SOURCE_DRAWINGS));
    // In Qt's form, with "/" on Windows too, as the set's own paths are.
    EXPECT_EQ(named.root(), QDir::cleanPath(root));
    EXPECT_EQ(named.picturePath(4), set.picturePath(4));
    EXPECT_EQ(readBytes(named.drawingPath(4)), readBytes(set.drawingPath(4)));
    PhotoSet lost = PhotoSet::inFolders(dir.path() / pathFromUtf8("Třída 3.B/sada"), {});
    EXPECT_FALSE(lost.ensureComplete());
    EXPECT_FALSE(QFileInfo::exists(root));
}

TEST_F(PhotoSetTest, ChoosingWritesAtOnceAndTheDrawingComesBack) {
    // choose() on a set never used makes the rest of it too.
    const ImportResult result = set.choose(4, photo(3000, 2000));
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_FALSE(set.isDrawing(4));
    for (int index = 0; index < breedCount; ++index) {
        if (index != 4) {
            EXPECT_TRUE(set.isDrawing(index)) << index;
        }
    }
    EXPECT_EQ(quizPicture(set.picturePath(4)).width(), 1048);

    QString message;
    ASSERT_TRUE(set.restoreDrawing(4, &message)) << message.toStdString();
    EXPECT_TRUE(set.isDrawing(4));
    EXPECT_EQ(readBytes(set.picturePath(4)), readBytes(set.drawingPath(4)));
    EXPECT_FALSE(set.restoreDrawing(breedCount, &message));
    EXPECT_FALSE(message.isEmpty());
}

// The row of a picture the quiz would refuse must say so, with the quiz's own
// reason; a picture it would show has no problem.
TEST_F(PhotoSetTest, ProblemNamesWhatTheQuizWouldFailOn) {
    ASSERT_TRUE(set.ensureComplete());
    writeFile(pathFromUtf8(set.picturePath(5).toStdString()), {'t', 'e', 'x', 't'});
    writeFile(pathFromUtf8(set.picturePath(6).toStdString()), {});
    QFile::remove(set.picturePath(7));
    Bytes huge = makeJpeg({.width = 64, .height = 48});
    patchFrameSize(huge, 20000, 20000);
    writeFile(pathFromUtf8(set.picturePath(8).toStdString()), huge);

    EXPECT_EQ(set.problem(0), std::nullopt);
    const auto text = set.problem(5);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->contains("JPEG error #53")) << text->toStdString();
    EXPECT_TRUE(text->contains("5.jpg")) << text->toStdString();
    ASSERT_TRUE(set.problem(6));
    EXPECT_TRUE(set.problem(6)->contains("JPEG error #42")) << set.problem(6)->toStdString();
    ASSERT_TRUE(set.problem(7));
    EXPECT_TRUE(set.problem(7)->contains("chybí"));
    EXPECT_TRUE(set.problem(8)); // larger than the quiz decodes
    EXPECT_TRUE(set.problem(breedCount));
}

} // namespace
} // namespace tarvelo::fixtures
