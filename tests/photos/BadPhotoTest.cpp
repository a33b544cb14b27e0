// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoFixtures.h"
#include "PhotoSet.h"
#include "TempDir.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <gtest/gtest.h>
#include <map>

namespace tarvelo::fixtures {
namespace {

// Every file under root with its bytes, to compare a set before and after.
std::map<QString, Bytes> snapshot(const QString& root) {
    std::map<QString, Bytes> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[path] = readBytes(path);
    }
    return files;
}

Bytes cutAt(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes asBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// What a teacher may pick by mistake, or what a broken card leaves behind.
// None of it may change a single byte of the set, and each is explained in
// Czech with the file's name.
TEST(BadPhotoTest, EachBadFileIsExplainedAndLeavesTheSetByteIdentical) {
    TempDir dir;
    const QString root = QString::fromStdString(dir / "sada");
    PhotoSet set(root, QStringLiteral(TARVELO_SOURCE_DRAWINGS));
    const Bytes photo = makeJpeg({.width = 1600, .height = 1200, .pattern = Pattern::Photo});
    writeFile(dir.path() / "good.jpg", photo);
    ASSERT_TRUE(set.choose(4, QString::fromStdString(dir / "good.jpg")).ok);

    Bytes huge = makeJpeg({.width = 64, .height = 48});
    patchFrameSize(huge, 60000, 60000); // 3.6 gigapixels announced in a tiny file
    QImage png(600, 400, QImage::Format_RGB32);
    png.fill(Qt::darkGreen);
    ASSERT_TRUE(png.save(QString::fromStdString(dir / "full.png"), "PNG"));
    const Bytes pngBytes = readBytes(QString::fromStdString(dir / "full.png"));
    Bytes badHeader = photo;
    badHeader[findMarker(badHeader, 0xC0) + 9] = 7; // seven components in the frame
    Bytes heic = asBytes(std::string("\0\0\0\x18"
                                     "ftypheic\0\0\0\0mif1heic",
                                     24));

    struct Case {
        std::string name;
        Bytes bytes;
        const char* reason;
    };
    const std::vector<Case> cases{
        {"prázdná.jpg", {}, "prázdný"},
        {"poznámky.jpg", asBytes("Krávy na pastvě, 3. B\n"), "není to obrázek"},
        {"useknutá.jpg", cutAt(photo, photo.size() / 2), "neúplný"},
        {"jen hlavička.jpg", cutAt(photo, findMarker(photo, 0xDA) + 4), "nelze přečíst"},
        {"vadná.jpg", badHeader, "poškozený"},
        {"obří.jpg", huge, "příliš velký"},
        {"useknutá.png", cutAt(pngBytes, pngBytes.size() / 2), "nelze přečíst"},
        {"telefon.heic", heic, "HEIC"},
    };
    const auto before = snapshot(root);
    ASSERT_EQ(before.size(), 19u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir.path() / pathFromUtf8(c.name), c.bytes);
        const ImportResult result = set.choose(4, QString::fromStdString(dir / c.name));
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.message.contains(QString::fromStdString(c.name)))
            << result.message.toStdString();
        EXPECT_TRUE(result.message.contains(QString::fromUtf8(c.reason)))
            << result.message.toStdString();
        EXPECT_EQ(snapshot(root), before); // nothing changed, nothing half written left
    }

    const ImportResult missing = set.choose(4, QString::fromStdString(dir / "není tu.jpg"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.message, QStringLiteral("Soubor „není tu.jpg“ nelze přečíst: soubor "
                                              "neexistuje."));
    EXPECT_FALSE(set.choose(4, QString::fromStdString(dir.path().string())).ok); // a folder
    EXPECT_FALSE(set.choose(19, QString::fromStdString(dir / "good.jpg")).ok);
    EXPECT_FALSE(set.choose(-1, QString::fromStdString(dir / "good.jpg")).ok);
    EXPECT_EQ(snapshot(root), before);
}

} // namespace
} // namespace tarvelo::fixtures
