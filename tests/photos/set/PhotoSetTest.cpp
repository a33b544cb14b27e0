// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoSet.h"

#include "AtomicFile.h"
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "PhotoFixtures.h"
#include "PictureFile.h"
#include "SetFolderFiles.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#endif

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

    // Adds photographs of distinct sizes to breed index and returns their
    // stored bytes, in order.
    std::vector<Bytes> addPhotos(PhotoSet& into, int index, int count) {
        std::vector<Bytes> stored;
        for (int i = 0; i < count; ++i) {
            const ImportResult result = into.addPhoto(index, photo(320 + 16 * i, 240));
            EXPECT_TRUE(result.ok) << result.message.toStdString();
            stored.push_back(readBytes(result.storedPath));
        }
        return stored;
    }

    // What obr/0 .. obr/9 hold for breed index, gaps left out, and every file
    // in those folders, temporary ones too.
    static std::vector<Bytes> contentsOf(const PhotoSet& of, int index) {
        std::vector<Bytes> files;
        for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
            if (QFileInfo::exists(of.photoPath(index, photo))) {
                files.push_back(readBytes(of.photoPath(index, photo)));
            }
        }
        return files;
    }
    static int filesIn(const PhotoSet& of) {
        int count = 0;
        for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
            count += static_cast<int>(QDir(of.root() + QStringLiteral("/obr/%1").arg(photo))
                                          .entryList(QDir::Files | QDir::Hidden)
                                          .size());
        }
        return count;
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

// Named like pictures of the set but none: a sparse terabyte and, where
// there are FIFOs, a FIFO. Each row gets the quiz's reason at once; neither
// counts as the breed's drawing or photograph, and nothing waits on the FIFO.
TEST_F(PhotoSetTest, ASparseTerabyteOrAPipeIsAProblemNeverADrawing) {
    ASSERT_TRUE(set.ensureComplete());
    std::filesystem::resize_file(pathFromUtf8(set.picturePath(4).toStdString()),
                                 maxPictureFileBytes + 1);
    const auto tooLarge = set.problem(4);
    ASSERT_TRUE(tooLarge);
    EXPECT_TRUE(tooLarge->startsWith(QStringLiteral("Kvíz by obrázek „%1“ neukázal: Cannot open")
                                         .arg(QDir::toNativeSeparators(set.picturePath(4)))))
        << tooLarge->toStdString();
    EXPECT_FALSE(set.isDrawing(4));
#ifndef _WIN32
    const QString pipe = set.picturePath(3);
    ASSERT_TRUE(QFile::remove(pipe));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    EXPECT_FALSE(set.isDrawing(3));
    EXPECT_EQ(set.photoCount(3), 0);
    const auto notAFile = set.problem(3);
    ASSERT_TRUE(notAFile);
    EXPECT_TRUE(notAFile->endsWith(QStringLiteral(". Operation not supported")))
        << notAFile->toStdString();
    // Making the set complete leaves what stands there alone.
    ASSERT_TRUE(set.ensureComplete());
    EXPECT_FALSE(QFileInfo(pipe).isFile());
#endif
}

TEST_F(PhotoSetTest, AddedPhotographsReplaceTheDrawingThenFollowInOrder) {
    ASSERT_TRUE(set.ensureComplete());
    EXPECT_EQ(set.photoCount(4), 0);
    EXPECT_TRUE(set.photos(4).isEmpty());
    const std::vector<Bytes> stored = addPhotos(set, 4, 3);
    EXPECT_EQ(set.photoCount(4), 3);
    EXPECT_EQ(set.photos(4),
              (QStringList{set.photoPath(4, 0), set.photoPath(4, 1), set.photoPath(4, 2)}));
    EXPECT_EQ(set.photoPath(4, 0), set.picturePath(4));
    EXPECT_TRUE(set.photoPath(4, 2).endsWith(QStringLiteral("/obr/2/4.jpg")));
    EXPECT_EQ(contentsOf(set, 4), stored);
    for (const QString& path : set.photos(4)) {
        EXPECT_EQ(set.problemOf(path), std::nullopt) << path.toStdString();
    }
    EXPECT_FALSE(set.isDrawing(4));
    // The other breeds keep their drawing alone.
    EXPECT_TRUE(set.isDrawing(5));
    EXPECT_EQ(contentsOf(set, 5).size(), 1u);
    EXPECT_EQ(filesIn(set), breedCount + 2);

    // --import's choice replaces the first and leaves the others.
    ASSERT_TRUE(set.choose(4, photo(1600, 1200)).ok);
    EXPECT_EQ(set.photoCount(4), 3);
    EXPECT_NE(readBytes(set.photoPath(4, 0)), stored[0]);
    EXPECT_EQ(readBytes(set.photoPath(4, 2)), stored[2]);

    const ImportResult wrong = set.addPhoto(breedCount, photo(320, 240));
    EXPECT_FALSE(wrong.ok);
    EXPECT_FALSE(wrong.message.isEmpty());
}

TEST_F(PhotoSetTest, TheEleventhPhotographIsRefusedAndNothingChanges) {
    const std::vector<Bytes> stored = addPhotos(set, 7, maxPhotosPerBreed);
    ASSERT_EQ(set.photoCount(7), maxPhotosPerBreed);
    const ImportResult refused = set.addPhoto(7, photo(800, 600));
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.message.contains(QStringLiteral("foto-800x600.jpg")))
        << refused.message.toStdString();
    EXPECT_TRUE(refused.message.contains(QStringLiteral("10 fotografií")))
        << refused.message.toStdString();
    EXPECT_EQ(contentsOf(set, 7), stored);
    EXPECT_EQ(filesIn(set), breedCount + maxPhotosPerBreed - 1);
    // One removed, there is room again, at the end.
    ASSERT_TRUE(set.removePhoto(7, 1));
    ASSERT_TRUE(set.addPhoto(7, photo(800, 600)).ok);
    EXPECT_EQ(set.photoCount(7), maxPhotosPerBreed);
    EXPECT_EQ(contentsOf(set, 7).front(), stored[1]);
}

TEST_F(PhotoSetTest, RemovingMovesTheLaterOnesUpAndTheLastBringsTheDrawingBack) {
    const std::vector<Bytes> stored = addPhotos(set, 2, 3);
    QString message;
    ASSERT_TRUE(set.removePhoto(2, 2, &message)) << message.toStdString();
    EXPECT_EQ(contentsOf(set, 2), (std::vector<Bytes>{stored[0], stored[2]}));
    EXPECT_FALSE(QFileInfo::exists(set.photoPath(2, 2)));
    ASSERT_TRUE(set.removePhoto(2, 1, &message)) << message.toStdString();
    EXPECT_EQ(contentsOf(set, 2), std::vector<Bytes>{stored[2]});
    EXPECT_EQ(set.photos(2), QStringList{set.picturePath(2)});

    ASSERT_TRUE(set.removePhoto(2, 1, &message)) << message.toStdString();
    EXPECT_TRUE(set.isDrawing(2));
    EXPECT_EQ(set.photoCount(2), 0);
    EXPECT_EQ(filesIn(set), breedCount);

    // There is nothing more to remove: said, and nothing changes.
    EXPECT_FALSE(set.removePhoto(2, 1, &message));
    EXPECT_EQ(message, QStringLiteral("Plemeno %1 nemá žádnou vlastní fotografii.")
                           .arg(QString::fromUtf8(answerName(2))));
    addPhotos(set, 2, 2);
    for (const int number : {0, 3, -1}) {
        EXPECT_FALSE(set.removePhoto(2, number, &message)) << number;
        EXPECT_TRUE(message.contains(QStringLiteral("má jen 2 fotografie")))
            << message.toStdString();
    }
    EXPECT_EQ(set.photoCount(2), 2);
    EXPECT_FALSE(set.removePhoto(breedCount, 1, &message));
}

// A set made by hand may skip places; they are read in order, filled by a
// removal and a lost first photograph is replaced by the next one.
TEST_F(PhotoSetTest, GapsInASetMadeByHandAreToleratedAndClosed) {
    ASSERT_TRUE(set.ensureComplete());
    const std::vector<Bytes> stored = addPhotos(set, 9, 3); // obr/0, obr/1, obr/2
    for (const int place : {4, 9}) {
        QDir().mkpath(QFileInfo(set.photoPath(9, place)).path());
    }
    ASSERT_TRUE(QFile::rename(set.photoPath(9, 1), set.photoPath(9, 4)));
    ASSERT_TRUE(QFile::rename(set.photoPath(9, 2), set.photoPath(9, 9)));
    EXPECT_EQ(set.photos(9),
              (QStringList{set.photoPath(9, 0), set.photoPath(9, 4), set.photoPath(9, 9)}));
    // The last place is taken: a new one goes into the first gap.
    ASSERT_TRUE(set.addPhoto(9, photo(900, 600)).ok);
    EXPECT_TRUE(QFileInfo::exists(set.photoPath(9, 1)));
    ASSERT_TRUE(set.removePhoto(9, 2));
    EXPECT_EQ(set.photos(9),
              (QStringList{set.photoPath(9, 0), set.photoPath(9, 1), set.photoPath(9, 2)}));
    EXPECT_EQ(readBytes(set.photoPath(9, 2)), stored[2]);

    // The first one lost: the next one moves up rather than the drawing
    // coming in front of it.
    QFile::remove(set.picturePath(9));
    ASSERT_TRUE(set.ensureComplete());
    EXPECT_EQ(set.photos(9), (QStringList{set.photoPath(9, 0), set.photoPath(9, 2)}));
    EXPECT_EQ(readBytes(set.picturePath(9)), stored[1]);

    // A drawing in obr/0 beside a photograph further on: the next one added
    // takes the drawing's place.
    QDir().mkpath(QFileInfo(set.photoPath(11, 5)).path());
    ASSERT_TRUE(QFile::copy(set.picturePath(9), set.photoPath(11, 5)));
    EXPECT_EQ(set.photos(11), QStringList{set.photoPath(11, 5)});
    ASSERT_TRUE(set.addPhoto(11, photo(500, 500)).ok);
    EXPECT_FALSE(set.isDrawing(11));
    EXPECT_EQ(set.photoCount(11), 2);
}

// A removal may be cut short at any step (a pulled USB stick, a power cut):
// whatever step it stopped after, each photograph is whole and still there,
// none twice, and the next start makes the set complete again.
TEST_F(PhotoSetTest, ARemovalCutShortLeavesEveryPhotographWhole) {
    for (const int removed : {1, 3, 4}) {
        for (int stopAfter = 1;; ++stopAfter) {
            PhotoSet cut(QString::fromStdString(dir / ("cut-" + std::to_string(removed) + "-" +
                                                       std::to_string(stopAfter))),
                         set.drawingsDir());
            std::vector<Bytes> kept = addPhotos(cut, 6, 4);
            kept.erase(kept.begin() + (removed - 1));
            int steps = 0;
            const bool finished = cut.removePhoto(6, removed, nullptr, [&] {
                ++steps;
                return steps < stopAfter;
            });
            const std::vector<Bytes> left = contentsOf(cut, 6);
            EXPECT_EQ(left.size(), kept.size());
            for (std::size_t i = 0; i < kept.size(); ++i) {
                EXPECT_EQ(std::count(left.begin(), left.end(), kept[i]), 1)
                    << "photograph " << i + 1 << " of those kept, after removing " << removed
                    << " and stopping after " << steps;
            }
            EXPECT_EQ(filesIn(cut), breedCount + 2);
            ASSERT_TRUE(cut.ensureComplete());
            EXPECT_EQ(cut.photoCount(6), 3);
            for (const QString& path : cut.photos(6)) {
                EXPECT_EQ(cut.problemOf(path), std::nullopt) << path.toStdString();
            }
            if (finished || stopAfter > 5) {
                EXPECT_TRUE(finished);
                EXPECT_EQ(steps, std::max(1, 4 - removed));
                break;
            }
        }
    }

    // The last photograph, cut short: the drawing is whole in its place.
    addPhotos(set, 3, 1);
    EXPECT_FALSE(set.removePhoto(3, 1, nullptr, [] { return false; }));
    EXPECT_TRUE(set.isDrawing(3));
}

// What a folder holds, names and bytes, folders within it too.
std::map<std::string, Bytes> filesUnder(const std::filesystem::path& folder) {
    std::map<std::string, Bytes> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string name = utf8FromPath(entry.path().lexically_relative(folder));
        files[name] = entry.is_regular_file()
                          ? readBytes(QString::fromStdString(utf8FromPath(entry.path())))
                          : Bytes{};
    }
    return files;
}

// A link in the set where a pupil could put one, to a folder of someone
// else's: every change the commands make (--import, --add, --remove) and
// the window's restoring of a drawing is refused up front, saying which link,
// and nothing changes in the set nor behind the link.
TEST_F(PhotoSetTest, ASetHoldingALinkIsRefusedAndNothingChangesAnywhere) {
    const std::vector<Bytes> stored = addPhotos(set, 4, 2);
    const std::filesystem::path setFolder = pathFromUtf8(root.toStdString());
    // Someone else's folder, laid out as a set's obr/K would be.
    const std::filesystem::path elsewhere = dir.path() / pathFromUtf8("cizí");
    std::filesystem::create_directories(elsewhere / "obr" / "0");
    writeFile(elsewhere / "obr" / "0" / "3.jpg", makeJpeg({.width = 64, .height = 48}));
    writeFile(elsewhere / "obr" / "0" / "4.jpg", makeJpeg({.width = 80, .height = 48}));
    try {
        std::filesystem::create_directory_symlink(elsewhere / "obr" / "0", setFolder / "obr" / "5");
    } catch (const std::filesystem::filesystem_error& e) {
        GTEST_SKIP() << "this system makes no link here: " << e.what();
    }
    // Wine says it made one, and made nothing.
    if (!isLink(utf8FromPath(setFolder / "obr" / "5"))) {
        GTEST_SKIP() << "this system makes no link here";
    }
    const QString refusal =
        QStringLiteral("Sada ve složce „%1“ obsahuje odkaz „obr/5“, který vede jinam; do takové "
                       "sady Tarvelo nezapisuje. Odkaz odstraňte, nebo zvolte jinou složku.")
            .arg(QDir::toNativeSeparators(root));
    const auto expectRefusedUnchanged = [&](const QString& link) {
        const auto ours = filesUnder(setFolder);
        const auto theirs = filesUnder(elsewhere);
        const QString expected =
            QString(refusal).replace(QStringLiteral("„obr/5“"), QStringLiteral("„%1“").arg(link));
        EXPECT_EQ(set.linkInSet(), link);
        EXPECT_EQ(set.linkRefusal(), expected);
        const ImportResult chosen = set.choose(3, photo(800, 600));
        EXPECT_FALSE(chosen.ok);
        EXPECT_EQ(chosen.message, expected);
        const ImportResult added = set.addPhoto(4, photo(640, 480));
        EXPECT_FALSE(added.ok);
        EXPECT_EQ(added.message, expected);
        QString message;
        EXPECT_FALSE(set.removePhoto(4, 1, &message));
        EXPECT_EQ(message, expected);
        EXPECT_FALSE(set.restoreDrawing(4, &message));
        EXPECT_EQ(message, expected);
        EXPECT_FALSE(set.ensureComplete(&message));
        EXPECT_EQ(message, expected);
        EXPECT_EQ(filesUnder(setFolder), ours);
        EXPECT_EQ(filesUnder(elsewhere), theirs);
    };
    expectRefusedUnchanged(QStringLiteral("obr/5"));

    // obr itself a link to the other folder: the set is where it leads.
    std::filesystem::remove(setFolder / "obr" / "5");
    std::filesystem::rename(setFolder / "obr", elsewhere / "obr" / "sada");
    std::filesystem::create_directory_symlink(elsewhere / "obr" / "sada", setFolder / "obr");
    expectRefusedUnchanged(QStringLiteral("obr"));

    // A photograph that is a link, which an export would read.
    std::filesystem::remove(setFolder / "obr");
    std::filesystem::rename(elsewhere / "obr" / "sada", setFolder / "obr");
    std::filesystem::create_symlink(elsewhere / "obr" / "0" / "3.jpg",
                                    setFolder / "obr" / "1" / "3.jpg");
    expectRefusedUnchanged(QStringLiteral("obr/1/3.jpg"));
    std::filesystem::remove(setFolder / "obr" / "1" / "3.jpg");
    EXPECT_EQ(set.linkInSet(), std::nullopt);
    EXPECT_EQ(contentsOf(set, 4), stored);
}

#ifndef _WIN32
mode_t modeOf(const std::filesystem::path& path) {
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode & 0777;
}

// The class set written by root under umask 077: every account still plays
// it. Its folder, made by the first write, its folders and its photographs
// and drawings are readable by all; an own set follows the umask as before.
TEST_F(PhotoSetTest, AClassSetWrittenUnderAStrictUmaskIsReadableByEveryAccount) {
    PhotoSet classSet(root, set.drawingsDir(), NewEntries::ReadableByAll);
    const mode_t umask = ::umask(077);
    addPhotos(classSet, 4, 2);
    QString message;
    EXPECT_TRUE(classSet.restoreDrawing(6, &message)) << message.toStdString();
    EXPECT_TRUE(classSet.removePhoto(4, 2, &message)) << message.toStdString();
    PhotoSet own(QString::fromStdString(dir / "vlastní"), set.drawingsDir());
    addPhotos(own, 4, 1);
    ::umask(umask);

    const std::filesystem::path classFolder = pathFromUtf8(root.toStdString());
    for (const auto& folder : {classFolder.parent_path(), classFolder, classFolder / "obr",
                               classFolder / "obr" / "0", classFolder / "obr" / "1"}) {
        EXPECT_EQ(modeOf(folder), 0755u) << folder;
    }
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(classFolder)) {
        if (entry.is_regular_file()) {
            EXPECT_EQ(modeOf(entry.path()), 0644u) << entry.path();
            ++files;
        }
    }
    EXPECT_EQ(files, breedCount);
    EXPECT_EQ(modeOf(pathFromUtf8(dir / "vlastní/obr/0")), 0700u);
    EXPECT_EQ(modeOf(pathFromUtf8(dir / "vlastní/obr/0/4.jpg")), 0600u);
}
#endif

} // namespace
} // namespace tarvelo::fixtures
