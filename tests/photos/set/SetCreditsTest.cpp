// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Credits stay with their photographs through every change of a set, and a
// credits file that is damaged, huge, foreign or a link is never trusted.
#include "SetCredits.h"

#include "AtomicFile.h"
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "PhotoFixtures.h"
#include "PhotoSet.h"
#include "TempDir.h"
#include "Utf8Path.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <gtest/gtest.h>

namespace tarvelo::fixtures {
namespace {

PhotoCredit credit(const QString& author) {
    return {.author = author,
            .licence = QStringLiteral("CC BY-SA 4.0"),
            .licenceUrl = QStringLiteral("https://creativecommons.org/licenses/by-sa/4.0/"),
            .page = QStringLiteral("https://commons.wikimedia.org/wiki/File:Kráva.jpg"),
            .shortPage = QStringLiteral("https://commons.wikimedia.org/w/index.php?curid=42"),
            .title = QStringLiteral("File:Kráva.jpg")};
}

class SetCreditsTest : public ::testing::Test {
protected:
    TempDir dir;
    QString root = QString::fromStdString(dir / "Třída 3.B/sada");
    PhotoSet set{root, QStringLiteral(TARVELO_SOURCE_DRAWINGS)};
    QString creditsFile = root + QStringLiteral("/obr/tarvelo-credits.json");

    QString photo(int width, int height) {
        const std::string name =
            "foto-" + std::to_string(width) + "x" + std::to_string(height) + ".jpg";
        writeFile(dir.path() / name,
                  makeJpeg({.width = width, .height = height, .pattern = Pattern::Photo}));
        return QString::fromStdString(dir / name);
    }

    // Adds `count` photographs to breed index, each of a size not used
    // before: the same bytes would be the same photograph, with one credit.
    int added = 0;
    QStringList addPhotos(int index, int count) {
        for (int i = 0; i < count; ++i) {
            const ImportResult result = set.addPhoto(index, photo(320 + 16 * added++, 240));
            EXPECT_TRUE(result.ok) << result.message.toStdString();
        }
        return set.photos(index);
    }

    void record(const QString& path, const PhotoCredit& given) {
        const auto failed = recordCredit(set, path, given);
        ASSERT_EQ(failed, std::nullopt) << failed->toStdString();
    }

    void writeCreditsFile(const QByteArray& bytes) {
        QFile file(creditsFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QString hashOf(const QString& path) {
        const Bytes bytes = readBytes(path);
        return QString::fromLatin1(
            QCryptographicHash::hash(QByteArrayView(bytes.data(), qsizetype(bytes.size())),
                                     QCryptographicHash::Sha256)
                .toHex());
    }

    // A credits file giving the photograph at path a credit by `author`.
    static QByteArray creditsFor(const QString& path, const QString& author) {
        const QJsonObject entry{{"sha256", hashOf(path)}, {"author", author}, {"licence", "CC0"}};
        return QJsonDocument(QJsonObject{{"format", 1}, {"credits", QJsonArray{entry}}}).toJson();
    }

    int entriesInFile() const {
        QFile file(creditsFile);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return static_cast<int>(
            QJsonDocument::fromJson(file.readAll()).object().value("credits").toArray().size());
    }
};

TEST_F(SetCreditsTest, ARecordedCreditIsFoundByItsPhotographInBreedThenPhotographOrder) {
    EXPECT_TRUE(creditsOf(set).empty());
    const QStringList three = addPhotos(3, 3);
    const QStringList one = addPhotos(1, 1);
    ASSERT_EQ(three.size(), 3);
    record(three[2], credit(QStringLiteral("Jan Novák")));
    record(one[0], credit(QStringLiteral("Eva Dvořáková")));
    record(three[0], credit(QStringLiteral("Petr Malý")));

    EXPECT_EQ(creditOf(set, three[0]), credit(QStringLiteral("Petr Malý")));
    EXPECT_EQ(creditOf(set, three[1]), std::nullopt);
    EXPECT_EQ(creditOf(set, three[2]), credit(QStringLiteral("Jan Novák")));
    const std::vector<CreditedPhoto> all = creditsOf(set);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].path, one[0]);
    EXPECT_EQ(all[1].path, three[0]);
    EXPECT_EQ(all[2].path, three[2]);
    EXPECT_EQ(all[2].credit.author, QStringLiteral("Jan Novák"));
    EXPECT_EQ(entriesInFile(), 3);

    // Recorded again: replaced, not added.
    record(three[2], credit(QStringLiteral("Jan Novák ml.")));
    EXPECT_EQ(creditOf(set, three[2])->author, QStringLiteral("Jan Novák ml."));
    EXPECT_EQ(entriesInFile(), 3);

    ASSERT_EQ(forgetCredit(set, three[0]), std::nullopt);
    EXPECT_EQ(creditOf(set, three[0]), std::nullopt);
    EXPECT_EQ(creditsOf(set).size(), 2u);

    // A file that is no photograph of the set gets no credit.
    const auto refused = recordCredit(set, photo(100, 80), credit(QStringLiteral("Cizí")));
    ASSERT_TRUE(refused.has_value());
    EXPECT_TRUE(refused->contains(QStringLiteral("v sadě není"))) << refused->toStdString();
    EXPECT_TRUE(recordCredit(set, set.picturePath(7), credit(QStringLiteral("Kresba"))));
}

TEST_F(SetCreditsTest, WhatIsStoredIsBoundedPlainTextWithHttpsLinksOnly) {
    const QStringList photos = addPhotos(2, 1);
    PhotoCredit hostile{.author = QStringLiteral("<b>Jan</b>\u202e\x1b[31m\nNovák") +
                                  QString(500, QLatin1Char('x')),
                        .licence = QString(300, QLatin1Char('L')),
                        .licenceUrl = QStringLiteral("http://example.org/licence"),
                        .page = QStringLiteral("javascript:alert(1)"),
                        .shortPage = QStringLiteral("https://commons.wikimedia.org/ x"),
                        .title = QStringLiteral("File:\u2028Kráva.jpg")};
    record(photos[0], hostile);
    const auto stored = creditOf(set, photos[0]);
    ASSERT_TRUE(stored.has_value());
    EXPECT_LE(stored->author.size(), 200);
    EXPECT_TRUE(stored->author.startsWith(QStringLiteral("<b>Jan</b>[31m Novák")))
        << stored->author.toStdString();
    EXPECT_LE(stored->licence.size(), 60);
    EXPECT_TRUE(stored->licenceUrl.isEmpty());
    EXPECT_TRUE(stored->page.isEmpty());
    EXPECT_TRUE(stored->shortPage.isEmpty());
    EXPECT_EQ(stored->title, QStringLiteral("File: Kráva.jpg"));
    EXPECT_FALSE(stored->fromCommons());

    // A credit naming nobody and no licence is no credit.
    PhotoCredit nobody;
    nobody.page = QStringLiteral("https://commons.wikimedia.org/");
    record(photos[0], nobody);
    EXPECT_EQ(creditOf(set, photos[0]), std::nullopt);
}

TEST_F(SetCreditsTest, CreditsFollowTheirPhotographsWhenTheLaterOnesMoveUp) {
    const QStringList photos = addPhotos(6, 3);
    record(photos[0], credit(QStringLiteral("První")));
    record(photos[2], credit(QStringLiteral("Třetí")));
    QString message;
    ASSERT_TRUE(set.removePhoto(6, 1, &message)) << message.toStdString();
    const QStringList left = set.photos(6);
    ASSERT_EQ(left.size(), 2);
    EXPECT_EQ(creditOf(set, left[0]), std::nullopt);
    EXPECT_EQ(creditOf(set, left[1])->author, QStringLiteral("Třetí"));
    ASSERT_EQ(creditsOf(set).size(), 1u);
    EXPECT_EQ(creditsOf(set)[0].path, left[1]);

    // The next record lets go of the removed photograph's credit.
    record(left[0], credit(QStringLiteral("Druhá")));
    EXPECT_EQ(entriesInFile(), 2);
}

TEST_F(SetCreditsTest, AReplacedPhotographOrTheDrawingBackShowsNoOldCredit) {
    ASSERT_TRUE(set.choose(5, photo(800, 600)).ok);
    record(set.picturePath(5), credit(QStringLiteral("Původní")));
    ASSERT_TRUE(set.choose(5, photo(640, 480)).ok);
    EXPECT_EQ(creditOf(set, set.picturePath(5)), std::nullopt);
    EXPECT_TRUE(creditsOf(set).empty());

    record(set.picturePath(5), credit(QStringLiteral("Nová")));
    ASSERT_TRUE(set.restoreDrawing(5));
    EXPECT_EQ(creditOf(set, set.picturePath(5)), std::nullopt);
    EXPECT_TRUE(creditsOf(set).empty());
}

TEST_F(SetCreditsTest, ADamagedHugeOrForeignFileGivesNoCreditsAndTheNextRecordMendsIt) {
    const QStringList photos = addPhotos(4, 2);
    const QByteArray good = creditsFor(photos[0], QStringLiteral("Jan Novák"));
    writeCreditsFile(good);
    ASSERT_EQ(creditOf(set, photos[0])->author, QStringLiteral("Jan Novák"));

    const QByteArray deep = QByteArray(100000, '[') + QByteArray(100000, ']');
    QByteArray huge = good;
    huge.insert(huge.indexOf("Jan"), QByteArray(2 << 20, 'x'));
    QByteArray laterFormat = good;
    laterFormat.replace("\"format\": 1", "\"format\": 2");
    QByteArray wrongTypes = good;
    wrongTypes.replace("\"Jan Novák\"", "[\"Jan Novák\"]").replace("\"CC0\"", "{}");
    QByteArray badHash = good;
    badHash.replace(hashOf(photos[0]).toLatin1(), "../../etc/passwd");
    for (const QByteArray& bad :
         {good.left(good.size() / 2), deep, huge, laterFormat, wrongTypes, badHash,
          QByteArray("[]"), QByteArray("{\"format\":1,\"credits\":{\"a\":1}}"),
          QByteArray("\xff\xfe\x00")}) {
        writeCreditsFile(bad);
        EXPECT_EQ(creditOf(set, photos[0]), std::nullopt) << bad.left(80).toStdString();
        EXPECT_TRUE(creditsOf(set).empty());
        record(photos[1], credit(QStringLiteral("Eva")));
        EXPECT_EQ(creditOf(set, photos[1])->author, QStringLiteral("Eva"));
        EXPECT_EQ(entriesInFile(), 1);
    }
    // A folder in its place: no credits, and a record that fails plainly.
    QFile::remove(creditsFile);
    ASSERT_TRUE(QDir().mkdir(creditsFile));
    EXPECT_TRUE(creditsOf(set).empty());
    EXPECT_TRUE(recordCredit(set, photos[1], credit(QStringLiteral("Eva"))).has_value());
}

// A photograph handed over as bytes goes in with its credit in one step,
// the credit tied to the stored copy; a refused one leaves neither behind,
// and one whose credit cannot be written stays and says so.
TEST_F(SetCreditsTest, BytesAddedWithTheirCreditGoInTogetherOrNotAtAll) {
    const QByteArray phone = asBytes(withExifOrientation(
        makeJpeg({.width = 1600, .height = 1200, .pattern = Pattern::Photo}), 3));
    const ImportResult first =
        set.addPhoto(2, phone, QStringLiteral("Kráva.jpg"), credit(QStringLiteral("Jana")));
    ASSERT_TRUE(first.ok) << first.message.toStdString();
    EXPECT_TRUE(first.creditProblem.isEmpty());
    EXPECT_EQ(set.photos(2), QStringList{first.storedPath});
    EXPECT_EQ(creditOf(set, first.storedPath)->author, QStringLiteral("Jana"));
    EXPECT_EQ(readBytes(first.storedPath).size(), static_cast<std::size_t>(first.storedBytes));

    // Refused before or during the import: the set and its credits as they were.
    addPhotos(3, maxPhotosPerBreed);
    const Bytes before = readBytes(creditsFile);
    const struct {
        int index;
        QByteArray bytes;
        QString says;
    } refused[] = {
        {3, phone, QStringLiteral("víc jich mít nemůže")},
        {2, QByteArray("GIF89a"), QStringLiteral("„Cizí.jpg“ nelze přečíst")},
        {2, phone.left(phone.size() / 2), QStringLiteral("„Cizí.jpg“ nelze přečíst")},
        {breedCount, phone, QStringLiteral("v sadě není")},
    };
    for (const auto& bad : refused) {
        const ImportResult result =
            set.addPhoto(bad.index, bad.bytes, QStringLiteral("Cizí.jpg"), credit("Cizí"));
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.message.contains(bad.says)) << result.message.toStdString();
        EXPECT_EQ(set.photoCount(2), 1);
        EXPECT_EQ(readBytes(creditsFile), before);
    }

    // No room for the credit: the photograph stays, and the teacher is told.
    QFile::remove(creditsFile);
    ASSERT_TRUE(QDir().mkdir(creditsFile));
    const ImportResult uncredited =
        set.addPhoto(2, asBytes(makeJpeg({.width = 640, .height = 480})),
                     QStringLiteral("Druhá.jpg"), credit("Petr"));
    EXPECT_TRUE(uncredited.ok);
    EXPECT_TRUE(
        uncredited.creditProblem.startsWith(QStringLiteral("Zdroje fotografií nelze uložit")))
        << uncredited.creditProblem.toStdString();
    EXPECT_EQ(set.photoCount(2), 2);
}

// Adding keeps every other credit and does not read the set's photographs,
// so a credits file can hold ones whose photographs went; once it holds more
// than a set can, those are let go.
TEST_F(SetCreditsTest, CreditsOfPhotographsThatWentAreLetGoBeforeTheFileOutgrowsASet) {
    const QStringList photos = addPhotos(1, 1);
    record(photos[0], credit(QStringLiteral("Zůstává")));
    std::vector<HashedCredit> gone;
    for (int i = 0; i < breedCount * maxPhotosPerBreed; ++i) {
        gone.push_back({photographHash(QByteArray::number(i)), credit(QString::number(i))});
    }
    gone.resize(gone.size() - 1);
    ASSERT_EQ(addCredits(set, gone), std::nullopt);
    EXPECT_EQ(entriesInFile(), breedCount * maxPhotosPerBreed);
    ASSERT_EQ(addCredits(set, {{photographHash(QByteArray("one more")), credit("Navíc")}}),
              std::nullopt);
    EXPECT_EQ(entriesInFile(), 1);
    EXPECT_EQ(creditOf(set, photos[0])->author, QStringLiteral("Zůstává"));
}

#ifndef _WIN32
TEST_F(SetCreditsTest, ALinkAsTheCreditsFileOrInTheSetIsRefusedAndNotFollowed) {
    const QStringList photos = addPhotos(8, 1);
    const std::filesystem::path elsewhere = dir.path() / "cizí.json";
    const QByteArray theirs = creditsFor(photos[0], QStringLiteral("Podvodník"));
    {
        QFile file(QString::fromStdString(utf8FromPath(elsewhere)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(theirs);
    }
    const std::filesystem::path link = pathFromUtf8(creditsFile.toStdString());
    std::filesystem::create_symlink(elsewhere, link);
    EXPECT_EQ(creditOf(set, photos[0]), std::nullopt);
    EXPECT_TRUE(creditsOf(set).empty());
    EXPECT_EQ(set.linkInSet(), QStringLiteral("obr/tarvelo-credits.json"));
    const auto refused = recordCredit(set, photos[0], credit(QStringLiteral("Jan")));
    EXPECT_EQ(refused, set.linkRefusal());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(QString::fromStdString(utf8FromPath(elsewhere))),
              Bytes(theirs.begin(), theirs.end()));

    // A link elsewhere in the set refuses the record too.
    std::filesystem::remove(link);
    std::filesystem::create_directory_symlink(dir.path(),
                                              pathFromUtf8(root.toStdString()) / "obr" / "7");
    EXPECT_EQ(recordCredit(set, photos[0], credit(QStringLiteral("Jan"))), set.linkRefusal());
    EXPECT_FALSE(QFile::exists(creditsFile));
}
#endif

} // namespace
} // namespace tarvelo::fixtures
