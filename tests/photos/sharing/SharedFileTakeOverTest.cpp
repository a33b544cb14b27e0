// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A shared set taken over: all or nothing, with its photographs' credits.
#include "SharedFileTakeOver.h"

#include "SetFolderLock.h"
#include "SetReplacement.h"
#include "SharedSetTesting.h"

#include <gtest/gtest.h>

namespace tarvelo::fixtures {
namespace {

class SharedFileTakeOverTest : public SharedSetFixture {};

// The photographs taken over bring their credits; the set's own old ones go
// with the photographs they belonged to.
TEST_F(SharedFileTakeOverTest, ATakenOverSetBringsItsPhotographsCredits) {
    PhotoSet from(QString::fromStdString(dir / "odjinud"), drawings);
    ASSERT_TRUE(from.choose(2, photo(640, 480, "a.jpg")).ok);
    ASSERT_TRUE(from.addPhoto(2, photo(320, 240, "b.jpg")).ok);
    ASSERT_TRUE(from.addPhoto(9, photo(400, 300, "c.jpg")).ok);
    ASSERT_EQ(recordCredit(from, stored(from, 2, 1), creditBy("Jana")), std::nullopt);
    ASSERT_EQ(recordCredit(from, stored(from, 9, 0), creditBy("Petr")), std::nullopt);

    ASSERT_TRUE(set.choose(2, photo(800, 600, "d.jpg")).ok);
    ASSERT_EQ(recordCredit(set, stored(set, 2, 0), creditBy("Původní")), std::nullopt);
    ASSERT_EQ(takeOverSharedSet(set, false, from), std::nullopt);
    const std::vector<CreditedPhoto> credits = creditsOf(set);
    ASSERT_EQ(credits.size(), 2u);
    EXPECT_EQ(credits[0].path, stored(set, 2, 1));
    EXPECT_EQ(credits[0].credit, creditBy("Jana"));
    EXPECT_EQ(credits[1].path, stored(set, 9, 0));
    EXPECT_EQ(credits[1].credit, creditBy("Petr"));
    EXPECT_EQ(creditOf(set, stored(set, 2, 0)), std::nullopt);
    // Only the credits of photographs that came: the file holds no others.
    QFile creditsFile(root + QStringLiteral("/obr/tarvelo-credits.json"));
    ASSERT_TRUE(creditsFile.open(QIODevice::ReadOnly));
    EXPECT_FALSE(creditsFile.readAll().contains("Původní"));

    // A set without credits taken over leaves none behind.
    PhotoSet plain(QString::fromStdString(dir / "bez"), drawings);
    ASSERT_TRUE(plain.choose(2, photo(320, 200, "e.jpg")).ok);
    ASSERT_EQ(replaceSetPictures(set, plain), std::nullopt);
    EXPECT_TRUE(creditsOf(set).empty());
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/obr/tarvelo-credits.json")));
}

// Taking a set over changes all of it or none of it.
TEST_F(SharedFileTakeOverTest, ATakeOverThatFailsLeavesTheSetAsItWas) {
    ASSERT_TRUE(set.ensureComplete());
    ASSERT_TRUE(set.choose(4, photo(640, 480, "a.jpg")).ok);
    ASSERT_TRUE(set.addPhoto(4, photo(320, 240, "b.jpg")).ok);
    ASSERT_EQ(recordCredit(set, stored(set, 4, 1), creditBy("Jana")), std::nullopt);
    const auto before = snapshot(root);
    const auto unchanged = [&] {
        EXPECT_EQ(snapshot(root), before);
        EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("obr")});
    };
    const QByteArray good = asBytes(makeJpeg({}));
    // A photograph the quiz could not show, first, amid and last of the file.
    for (const char* bad : {"obr/0/0.jpg", "obr/0/9.jpg", "obr/9/18.jpg"}) {
        std::vector<RawEntry> entries{{"tarvelo-set.json", manifest()}};
        for (const char* name : {"obr/0/0.jpg", "obr/0/9.jpg", "obr/9/18.jpg"}) {
            entries.push_back({name, std::string(name) == bad ? QByteArray("nic") : good});
        }
        writeArchive(rawArchive(entries));
        QString message;
        {
            const auto replacement = SetReplacement::begin(set, &message);
            ASSERT_NE(replacement, nullptr) << message.toStdString();
            EXPECT_FALSE(unpackSharedSet(file, replacement->staged()).info.has_value());
        }
        unchanged();
        // Straight from the file, as the command line takes it over.
        const UnpackedSharedSet direct = takeOverSharedFile(set, false, file);
        EXPECT_FALSE(direct.info.has_value());
        EXPECT_TRUE(direct.message.contains(QStringLiteral("nelze použít")))
            << direct.message.toStdString();
        unchanged();
        PhotoSet fresh(QString::fromStdString(dir / "nová sada"), drawings);
        EXPECT_FALSE(takeOverSharedFile(fresh, false, file).info.has_value());
        EXPECT_FALSE(QFileInfo::exists(fresh.root()));
    }
    // Another program is changing the set.
    {
        const SetFolderLock other(pathFromUtf8(root.toStdString()));
        ASSERT_TRUE(other.held());
        QString message;
        EXPECT_EQ(SetReplacement::begin(set, &message), nullptr);
        EXPECT_TRUE(message.contains("jiný program")) << message.toStdString();
        PhotoSet from(QString::fromStdString(dir / "jiná"), drawings);
        ASSERT_TRUE(from.ensureComplete());
        EXPECT_TRUE(replaceSetPictures(set, from).has_value());
    }
    unchanged();
    // The drawings are gone, so the new set cannot be made complete.
    PhotoSet withoutDrawings(root, QString::fromStdString(dir / "nikde"));
    PhotoSet from(QString::fromStdString(dir / "odjinud"), drawings);
    ASSERT_TRUE(from.choose(4, photo(400, 300, "c.jpg")).ok);
    ASSERT_EQ(recordCredit(from, stored(from, 4, 0), creditBy("Cizí")), std::nullopt);
    EXPECT_TRUE(replaceSetPictures(withoutDrawings, from).has_value());
    unchanged();

    // A whole file goes in, each photograph written once, and nothing else
    // is left beside the set.
    writeArchive(rawArchive({{"tarvelo-set.json", manifest()}, {"obr/3/7.jpg", good}}));
    const UnpackedSharedSet taken = takeOverSharedFile(set, false, file);
    ASSERT_TRUE(taken.info.has_value()) << taken.message.toStdString();
    EXPECT_EQ(taken.photographs, 1);
    EXPECT_EQ(set.photos(7), QStringList{stored(set, 7, 0)});
    EXPECT_EQ(asBytes(readBytes(stored(set, 7, 0))), good);
    EXPECT_EQ(set.photoCount(4), 0);
    EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("obr")});
}

} // namespace
} // namespace tarvelo::fixtures
