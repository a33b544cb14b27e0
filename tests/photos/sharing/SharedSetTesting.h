// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the shared set's tests share: a set, a file beside it, archives made
// by hand, and a look at every file, to see that nothing changed.
#pragma once

#include "BreedPhotos.h"
#include "JpegMarkers.h"
#include "PhotoFixtures.h"
#include "RawArchive.h"
#include "SetArchive.h"
#include "SetCredits.h"
#include "SharedSet.h"
#include "SharedSetContents.h"
#include "TempDir.h"
#include "Utf8Path.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <map>
#include <zip.h>

namespace tarvelo::fixtures {

// Every file under folder with its bytes, to see that nothing changed.
inline std::map<QString, QByteArray> snapshot(const QString& folder) {
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        files[path] = file.readAll();
    }
    return files;
}

inline QByteArray manifest(int format = 1) {
    return QStringLiteral(
               R"({"format": %1, "name": "Třída 5.A", "note": "Fotky: Jana, CC BY 4.0", "extra": true})")
        .arg(format)
        .toUtf8();
}

inline PhotoCredit creditBy(const QString& author) {
    return {.author = author,
            .licence = QStringLiteral("CC BY 4.0"),
            .licenceUrl = QStringLiteral("https://creativecommons.org/licenses/by/4.0/"),
            .page = QStringLiteral("https://commons.wikimedia.org/wiki/File:Tur.jpg"),
            .shortPage = QStringLiteral("https://commons.wikimedia.org/w/index.php?curid=7"),
            .title = QStringLiteral("File:Tur.jpg")};
}

// The manifest of a shared set's file, as it is in the archive.
inline QJsonObject manifestIn(const QString& file) {
    SetArchiveReader archive(file, [](const QString&) { return true; });
    for (std::size_t i = 0; i < archive.files().size(); ++i) {
        if (archive.files()[i].name == QLatin1String(sharedSetManifest)) {
            return QJsonDocument::fromJson(archive.read(i).value_or(QByteArray())).object();
        }
    }
    return {};
}

class SharedSetFixture : public ::testing::Test {
protected:
    TempDir dir;
    QString root = QString::fromStdString(dir / "Třída 3.B/sada");
    QString drawings = QStringLiteral(TARVELO_SOURCE_DRAWINGS);
    PhotoSet set{root, drawings};
    QString file = QString::fromStdString(dir / "Sdílená sada.tarvelo");

    QString photo(int width, int height, const std::string& name) {
        writeFile(dir.path() / name,
                  makeJpeg({.width = width, .height = height, .pattern = Pattern::Photo}));
        return QString::fromStdString(dir / name);
    }
    QString stored(const PhotoSet& in, int index, int photo) const {
        return QDir::cleanPath(
            in.root() + QLatin1Char('/') +
            QDir::fromNativeSeparators(QString::fromStdString(photoPath(index, photo))));
    }
    void writeArchive(const QByteArray& bytes) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    // Reads `file` expecting a refusal that says `why`; nothing may be written.
    void expectRefused(const QString& why) {
        const auto before = snapshot(QString::fromStdString(dir.path().string()));
        const SharedSetRead read = readSharedSet(file);
        EXPECT_FALSE(read.set.has_value());
        EXPECT_TRUE(read.message.contains(QDir::toNativeSeparators(file)))
            << read.message.toStdString();
        EXPECT_TRUE(read.message.contains(why)) << read.message.toStdString();
        EXPECT_EQ(snapshot(QString::fromStdString(dir.path().string())), before);
    }
};

} // namespace tarvelo::fixtures
