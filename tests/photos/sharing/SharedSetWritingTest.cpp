// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A set written as one shared file: what goes out comes back byte for byte,
// and only what an import takes goes out.
#include "ScopedVariable.h"
#include "SetReplacement.h"
#include "SharedSetTesting.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

namespace tarvelo::fixtures {
namespace {

class SharedSetWritingTest : public SharedSetFixture {};

TEST_F(SharedSetWritingTest, ASavedSetOpensAsTheSamePhotographsElsewhere) {
    ASSERT_TRUE(set.ensureComplete());
    ASSERT_TRUE(set.choose(4, photo(1600, 1200, "a.jpg")).ok);
    ASSERT_TRUE(QDir().mkpath(root + "/obr/3"));
    // A second photograph of Hereford put in by hand, in obr/3 (a gap), with
    // the phone's Exif still in it.
    writeFile(
        pathFromUtf8(stored(set, 4, 3).toStdString()),
        withExifOrientation(makeJpeg({.width = 300, .height = 200, .pattern = Pattern::Photo}), 6));

    ASSERT_EQ(saveSharedSet(set, {.name = "Třída 5.A", .note = "Fotky: Jana"}, file), std::nullopt);
    const SharedSetRead read = readSharedSet(file);
    ASSERT_TRUE(read.set) << read.message.toStdString();
    EXPECT_EQ(read.set->info.name, "Třída 5.A");
    EXPECT_EQ(read.set->info.note, "Fotky: Jana");
    // Drawings stay home; the gap closes; the hand-put one left its Exif behind.
    for (int index = 0; index < breedCount; ++index) {
        EXPECT_EQ(read.set->photos[static_cast<std::size_t>(index)].size(), index == 4 ? 2u : 0u);
    }
    EXPECT_EQ(read.set->photos[4][0], asBytes(readBytes(stored(set, 4, 0))));
    // The hand-put one went out as an import stores it: no Exif, turned upright.
    EXPECT_FALSE(read.set->photos[4][1].contains("Exif"));
    EXPECT_TRUE(readBytes(stored(set, 4, 3)) !=
                Bytes(read.set->photos[4][1].begin(), read.set->photos[4][1].end()));

    TempDir other;
    PhotoSet elsewhere(QString::fromStdString(other / "jinde"), drawings);
    ASSERT_TRUE(unpackSharedSet(file, elsewhere).info.has_value());
    // The stored copy arrives byte for byte; the turned one arrives upright.
    EXPECT_EQ(readBytes(stored(elsewhere, 4, 0)), readBytes(stored(set, 4, 0)));
    const JpegPicture turned = quizPicture(stored(elsewhere, 4, 1));
    EXPECT_EQ(turned.uprightWidth(), 200);
    EXPECT_EQ(turned.orientation(), Orientation::Upright);
    EXPECT_TRUE(elsewhere.isDrawing(0));
    EXPECT_FALSE(QFileInfo::exists(stored(elsewhere, 4, 2)));

    // Made the set of a third computer's teacher, whose own photographs go.
    PhotoSet third(QString::fromStdString(other / "třetí"), drawings);
    ASSERT_TRUE(third.ensureComplete());
    ASSERT_TRUE(third.choose(7, photo(640, 480, "b.jpg")).ok);
    ASSERT_TRUE(QDir().mkpath(third.root() + "/obr/5"));
    QFile::copy(stored(third, 7, 0), stored(third, 7, 5));
    ASSERT_EQ(replaceSetPictures(third, elsewhere), std::nullopt);
    EXPECT_TRUE(third.isDrawing(7));
    EXPECT_FALSE(QFileInfo::exists(stored(third, 7, 5)));
    EXPECT_EQ(readBytes(stored(third, 4, 1)), readBytes(stored(elsewhere, 4, 1)));
}

TEST_F(SharedSetWritingTest, ASetOfDrawingsOnlyHasNothingToShare) {
    ASSERT_TRUE(set.ensureComplete());
    const auto message = saveSharedSet(set, {}, file);
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->contains("není co sdílet")) << message->toStdString();
    EXPECT_FALSE(QFileInfo::exists(file));
}

// What goes out is what comes back in: a photograph the file could not carry
// as it is goes out as an import stores it.
TEST_F(SharedSetWritingTest, ExportWritesOnlyWhatImportTakes) {
    ASSERT_TRUE(set.ensureComplete());
    ASSERT_TRUE(QDir().mkpath(root + "/obr/1"));
    // 40 MiB: a photograph with a camera's trailer after its end of image.
    Bytes padded = makeJpeg({.width = 400, .height = 300, .pattern = Pattern::Photo});
    padded.resize(40u << 20, 0x5A);
    writeFile(pathFromUtf8(stored(set, 3, 0).toStdString()), padded);
    // A comment after the first scan, where a walk that stops at the scan never looks.
    Bytes commented = makeJpeg({.width = 200, .height = 150, .progressive = true});
    const std::size_t second = findMarker(commented, 0xDA, 1);
    ASSERT_NE(second, std::string::npos);
    const Bytes comment{0xFF, 0xFE, 0x00, 0x09, 'G', 'P', 'S', ' ', '4', '9', 'N'};
    commented.insert(commented.begin() + static_cast<std::ptrdiff_t>(second), comment.begin(),
                     comment.end());
    writeFile(pathFromUtf8(stored(set, 3, 1).toStdString()), commented);

    {
        // Re-encoded in memory: no temporary folder is needed.
        writeFile(dir.path() / "not-a-folder", {});
        const tarvelo::testing::WithoutTemporaryFolder noTemporaryFolder(
            QByteArray::fromStdString(dir / "not-a-folder"));
        ASSERT_FALSE(makeTemporaryFolder(nullptr));
        ASSERT_EQ(saveSharedSet(set, {}, file), std::nullopt);
    }
    const SharedSetRead read = readSharedSet(file);
    ASSERT_TRUE(read.set) << read.message.toStdString();
    ASSERT_EQ(read.set->photos[3].size(), 2u);
    EXPECT_LT(read.set->photos[3][0].size(), 1 << 20);
    EXPECT_FALSE(read.set->photos[3][1].contains("GPS 49N"));
    for (const QByteArray& out : read.set->photos[3]) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(out.constData());
        EXPECT_FALSE(walkJpegMarkers({data, static_cast<std::size_t>(out.size())}).metadata);
    }
}

// Credits go out keyed by the entry each photograph is written as, and come
// back on the file it becomes: renumbered, and re-encoded on the way.
TEST_F(SharedSetWritingTest, CreditsTravelWithTheirPhotographsThroughTheFile) {
    ASSERT_TRUE(set.choose(4, photo(640, 480, "a.jpg")).ok);
    ASSERT_TRUE(set.addPhoto(4, photo(320, 240, "b.jpg")).ok);
    // In a gap, with Exif: it goes out as obr/2/4.jpg, re-encoded.
    ASSERT_TRUE(QDir().mkpath(root + "/obr/5"));
    writeFile(
        pathFromUtf8(stored(set, 4, 5).toStdString()),
        withExifOrientation(makeJpeg({.width = 300, .height = 200, .pattern = Pattern::Photo}), 6));
    ASSERT_TRUE(set.choose(11, photo(500, 400, "c.jpg")).ok);
    ASSERT_EQ(recordCredit(set, stored(set, 4, 0), creditBy("Jana")), std::nullopt);
    ASSERT_EQ(recordCredit(set, stored(set, 4, 5), creditBy("Otočená")), std::nullopt);
    ASSERT_EQ(recordCredit(set, stored(set, 11, 0), creditBy("Petr")), std::nullopt);

    ASSERT_EQ(saveSharedSet(set, {.name = "S kredity", .note = {}}, file), std::nullopt);
    const QJsonObject credits = manifestIn(file).value("credits").toObject();
    EXPECT_EQ(credits.keys(), (QStringList{"obr/0/11.jpg", "obr/0/4.jpg", "obr/2/4.jpg"}));
    EXPECT_EQ(credits.value("obr/2/4.jpg").toObject().value("author").toString(), "Otočená");
    EXPECT_EQ(manifestIn(file).value("format").toInt(), 1);

    TempDir other;
    PhotoSet elsewhere(QString::fromStdString(other / "jinde"), drawings);
    ASSERT_TRUE(unpackSharedSet(file, elsewhere).info.has_value());
    const std::vector<CreditedPhoto> back = creditsOf(elsewhere);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].path, stored(elsewhere, 4, 0));
    EXPECT_EQ(back[0].credit, creditBy("Jana"));
    EXPECT_EQ(back[1].path, stored(elsewhere, 4, 2));
    EXPECT_EQ(back[1].credit, creditBy("Otočená"));
    EXPECT_EQ(back[2].path, stored(elsewhere, 11, 0));
    EXPECT_EQ(creditOf(elsewhere, stored(elsewhere, 4, 1)), std::nullopt);

    // A set without credits writes none, as before.
    PhotoSet plain(QString::fromStdString(other / "bez"), drawings);
    ASSERT_TRUE(plain.choose(2, photo(320, 200, "d.jpg")).ok);
    ASSERT_EQ(saveSharedSet(plain, {}, file), std::nullopt);
    EXPECT_FALSE(manifestIn(file).contains("credits"));
}

// Links as long as a credit may hold: the manifest keeps within the size
// every Tarvelo opens, the titles and long pages giving way first.
TEST_F(SharedSetWritingTest, ManyLongCreditsKeepTheManifestWithinItsSize) {
    const QString longLink =
        QStringLiteral("https://commons.wikimedia.org/") + QString(1960, QLatin1Char('a'));
    PhotoCredit longest = creditBy("Jana");
    longest.licenceUrl = longLink + "/licence";
    longest.page = longLink + "/page";
    longest.title = QString(250, QLatin1Char('T'));
    int photographs = 0;
    const auto addCredited = [&](int count) {
        for (int i = 0; i < count; ++i, ++photographs) {
            const int index = photographs % breedCount;
            const ImportResult added =
                set.addPhoto(index, photo(200 + 8 * photographs, 160, "p.jpg"));
            ASSERT_TRUE(added.ok) << added.message.toStdString();
            ASSERT_EQ(recordCredit(set, added.storedPath, longest), std::nullopt);
        }
    };
    addCredited(18);
    ASSERT_EQ(saveSharedSet(set, {}, file), std::nullopt);
    TempDir other;
    PhotoSet elsewhere(QString::fromStdString(other / "jinde"), drawings);
    const UnpackedSharedSet opened = unpackSharedSet(file, elsewhere);
    ASSERT_TRUE(opened.info.has_value()) << opened.message.toStdString();
    const std::vector<CreditedPhoto> back = creditsOf(elsewhere);
    ASSERT_EQ(back.size(), 18u);
    EXPECT_EQ(back[0].credit.title, QString());
    EXPECT_EQ(back[0].credit.page, longest.shortPage);
    EXPECT_EQ(back[0].credit.shortPage, longest.shortPage);
    EXPECT_EQ(back[0].credit.licenceUrl, longest.licenceUrl);
    EXPECT_TRUE(back[0].credit.fromCommons());

    // Past even that, the file is not written, rather than lose credits.
    addCredited(14);
    const auto refused = saveSharedSet(set, {}, file);
    ASSERT_TRUE(refused.has_value());
    EXPECT_TRUE(refused->contains("Zdroje fotografií")) << refused->toStdString();
}

// A set with a link in it is neither taken over nor saved to a file: the
// linked folder is someone else's.
TEST_F(SharedSetWritingTest, ASetWithALinkIsNeitherReplacedNorSaved) {
    ASSERT_TRUE(set.ensureComplete());
    ASSERT_TRUE(set.choose(4, photo(640, 480, "a.jpg")).ok);
    const QString elsewhere = QString::fromStdString(dir / "cizí");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    writeFile(pathFromUtf8((elsewhere + "/3.jpg").toStdString()), makeJpeg({}));
#ifdef _WIN32
    GTEST_SKIP() << "QFile::link makes a shortcut on Windows, not a link";
#endif
    if (!QFile::link(elsewhere, root + "/obr/1")) {
        GTEST_SKIP() << "no links here";
    }
    const auto before = snapshot(QString::fromStdString(dir.path().string()));
    QString message;
    EXPECT_EQ(SetReplacement::begin(set, &message), nullptr);
    EXPECT_TRUE(message.contains("obr/1")) << message.toStdString();
    const auto saved = saveSharedSet(set, {}, file);
    ASSERT_TRUE(saved.has_value());
    EXPECT_TRUE(saved->contains("odkaz")) << saved->toStdString();
    EXPECT_EQ(snapshot(QString::fromStdString(dir.path().string())), before);
}

} // namespace
} // namespace tarvelo::fixtures
