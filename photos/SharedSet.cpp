// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedSet.h"

#include "AtomicFile.h"
#include "BreedPhotos.h"
#include "ImportFailure.h"
#include "PhotoImport.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "SetArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace tarvelo {

namespace {

// obr/K/N.jpg, the manifest, and the folders that hold them.
bool inSetLayout(const QString& name) {
    static const QRegularExpression layout(
        QStringLiteral(R"(^(obr/|obr/[0-9]/|obr/[0-9]/(1[0-8]|[0-9])\.jpg|tarvelo-set\.json)$)"));
    return layout.match(name).hasMatch();
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString refusal(const QString& file, const QString& why) {
    return QStringLiteral("Soubor „%1“ nelze otevřít jako sdílenou sadu: %2.")
        .arg(native(file), why);
}

// Absolute path of photograph `photo` of breed `index` in a set.
QString pathInSet(const PhotoSet& set, int index, int photo) {
    return QDir::cleanPath(
        set.root() + QLatin1Char('/') +
        QDir::fromNativeSeparators(QString::fromStdString(photoPath(index, photo))));
}

std::optional<QByteArray> readWhole(const QString& path, qint64 limit) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > limit) {
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* reason) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    if (const auto error = writeFileAtomically(path.toStdString(),
                                               {data, static_cast<std::size_t>(bytes.size())})) {
        *reason = writeFailureReason(*error);
        return false;
    }
    return true;
}

// Whether a JPEG carries anything beyond its picture before the first scan:
// Exif and XMP (APP1), ICC (APP2), IPTC (APP13), other APPn, comments. JFIF
// (APP0) and Adobe's colour marker (APP14) are part of how it decodes. A
// file this cannot walk counts as carrying something.
bool carriesMetadata(const QByteArray& jpeg) {
    const auto at = [&jpeg](qsizetype i) { return static_cast<unsigned char>(jpeg[i]); };
    if (jpeg.size() < 4 || at(0) != 0xFF || at(1) != 0xD8) {
        return true;
    }
    qsizetype i = 2;
    while (i + 1 < jpeg.size()) {
        if (at(i) != 0xFF) {
            return true;
        }
        const unsigned char marker = at(i + 1);
        if (marker == 0xFF) {
            ++i; // fill byte
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) {
            return false; // the scan begins: nothing more can come before it
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2;
            continue;
        }
        if (i + 3 >= jpeg.size()) {
            return true;
        }
        if ((marker >= 0xE1 && marker <= 0xEF && marker != 0xEE) || marker == 0xFE) {
            return true;
        }
        i += 2 + (at(i + 2) << 8 | at(i + 3));
    }
    return true;
}

// A photograph that can go into the set byte for byte, as another Tarvelo
// stored it: nothing but the picture, no larger than the quiz draws it, and
// shown by the quiz's own decoder without an error. Anything else goes
// through the import, which would only lose quality on such a one.
bool takenAsStored(const QByteArray& bytes) {
    if (carriesMetadata(bytes)) {
        return false;
    }
    try {
        JpegPicture picture = JpegPicture::fromBytes({bytes.begin(), bytes.end()});
        if (picture.width() > storedBoxWidth || picture.height() > storedBoxHeight) {
            return false;
        }
        picture.decodeRaster();
        return !picture.decodeFailed();
    } catch (const PictureError&) {
        return false;
    }
}

// A file of the staging folder, which goes as a whole if anything fails:
// written plainly, without the flush to the disk a set's own file gets.
bool writeStaged(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

SharedSetRead readSharedSet(const QString& file) {
    SharedSetRead result;
    const SetArchiveLimits limits;
    if (!QFileInfo::exists(file)) {
        result.message = refusal(file, QStringLiteral("soubor neexistuje"));
        return result;
    }
    const auto archive = readWhole(file, limits.archiveBytes);
    if (!archive) {
        result.message = refusal(
            file, QFileInfo(file).size() > limits.archiveBytes
                      ? QStringLiteral("soubor je větší než %1 MiB").arg(limits.archiveBytes >> 20)
                      : QStringLiteral("soubor nejde přečíst"));
        return result;
    }
    ArchiveContent content = readSetArchive(*archive, inSetLayout, limits);
    if (content.refusal) {
        result.message = refusal(file, *content.refusal);
        return result;
    }

    SharedSet set;
    std::optional<QJsonObject> manifest;
    // Photographs by breed and number, so obr/1 comes before obr/2 whatever
    // order the archive lists them in.
    std::array<std::array<const QByteArray*, maxPhotosPerBreed>, breedCount> byNumber{};
    for (const ArchiveEntry& entry : content.entries) {
        if (entry.name == QLatin1String(sharedSetManifest)) {
            QJsonParseError error;
            const QJsonDocument document = QJsonDocument::fromJson(entry.bytes, &error);
            if (error.error != QJsonParseError::NoError || !document.isObject()) {
                result.message = refusal(file, QStringLiteral("popis sady (%1) je poškozený")
                                                   .arg(QLatin1String(sharedSetManifest)));
                return result;
            }
            manifest = document.object();
            continue;
        }
        const QStringList parts = entry.name.split(QLatin1Char('/'));
        const int photo = parts[1].toInt();
        const int index = parts[2].chopped(4).toInt();
        byNumber[static_cast<std::size_t>(index)][static_cast<std::size_t>(photo)] = &entry.bytes;
    }
    if (!manifest) {
        result.message = refusal(
            file,
            QStringLiteral("chybí v něm popis sady (%1)").arg(QLatin1String(sharedSetManifest)));
        return result;
    }
    const QJsonValue format = manifest->value(QStringLiteral("format"));
    if (!format.isDouble() || format.toDouble() < 1 || format.toDouble() != format.toInt()) {
        result.message = refusal(file, QStringLiteral("popis sady neuvádí platnou verzi formátu"));
        return result;
    }
    if (format.toInt() > sharedSetFormat) {
        result.message = refusal(
            file, QStringLiteral("zapsala ho novější verze Tarvela (formát %1); tato verze umí "
                                 "formát %2, nainstalujte novější Tarvelo")
                      .arg(format.toInt())
                      .arg(sharedSetFormat));
        return result;
    }
    set.info.name = manifest->value(QStringLiteral("name")).toString();
    set.info.note = manifest->value(QStringLiteral("note")).toString();
    for (std::size_t index = 0; index < byNumber.size(); ++index) {
        for (const QByteArray* bytes : byNumber[index]) {
            if (bytes) {
                set.photos[index].push_back(*bytes);
            }
        }
    }
    result.set = std::move(set);
    return result;
}

std::optional<QString> unpackSharedSet(const SharedSet& shared, PhotoSet& target) {
    QTemporaryDir sources;
    if (!sources.isValid()) {
        return QStringLiteral("Nelze vytvořit dočasnou složku pro rozbalení sady.");
    }
    for (int index = 0; index < breedCount; ++index) {
        const auto& photos = shared.photos[static_cast<std::size_t>(index)];
        for (std::size_t k = 0; k < photos.size(); ++k) {
            const int photo = static_cast<int>(k);
            const QString stored = pathInSet(target, index, photo);
            if (!QDir().mkpath(QFileInfo(stored).path())) {
                return QStringLiteral("Složku „%1“ nelze vytvořit.")
                    .arg(native(QFileInfo(stored).path()));
            }
            if (takenAsStored(photos[k])) {
                if (!writeStaged(stored, photos[k])) {
                    return QStringLiteral("Fotografii nelze rozbalit do „%1“.").arg(native(stored));
                }
                continue;
            }
            const QString source =
                sources.filePath(QStringLiteral("%1-%2.jpg").arg(index).arg(photo));
            if (!writeStaged(source, photos[k])) {
                return QStringLiteral("Fotografii nelze rozbalit do „%1“.").arg(native(source));
            }
            const ImportResult result = importPhoto(source, stored);
            QFile::remove(source);
            if (!result.ok) {
                return QStringLiteral("Fotografii %1 (%2) ze sdílené sady nelze použít. %3")
                    .arg(QString::fromStdString(photoPath(index, photo))
                             .replace(QLatin1Char('\\'), QLatin1Char('/')),
                         QString::fromUtf8(answerName(index)), result.message);
            }
        }
    }
    QString message;
    if (!target.ensureComplete(&message)) {
        return message;
    }
    return std::nullopt;
}

std::optional<QString> replaceSetPictures(PhotoSet& set, const PhotoSet& from) {
    QString incomplete;
    if (!set.ensureComplete(&incomplete)) {
        return incomplete;
    }
    for (int index = 0; index < breedCount; ++index) {
        for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
            const QString source = pathInSet(from, index, photo);
            const QString target = pathInSet(set, index, photo);
            if (!QFileInfo::exists(source)) {
                // Photograph 0 is always there; a later one of the old set goes.
                if (photo > 0 && QFileInfo::exists(target) && !QFile::remove(target)) {
                    return QStringLiteral("Fotografii „%1“ nelze odstranit.").arg(native(target));
                }
                continue;
            }
            const auto bytes = readWhole(source, 64LL << 20);
            if (!bytes) {
                return QStringLiteral("Fotografii „%1“ nelze přečíst.").arg(native(source));
            }
            QString reason;
            if (!QDir().mkpath(QFileInfo(target).path()) || !writeWhole(target, *bytes, &reason)) {
                return QStringLiteral("Fotografii nelze uložit jako „%1“: %2.")
                    .arg(native(target),
                         reason.isEmpty() ? QStringLiteral("složku nelze vytvořit") : reason);
            }
        }
    }
    return std::nullopt;
}

std::optional<QString> saveSharedSet(const PhotoSet& set, const SharedSetInfo& info,
                                     const QString& file) {
    QTemporaryDir cleaned;
    std::vector<ArchiveEntry> entries;
    QJsonObject manifest{{QStringLiteral("format"), sharedSetFormat},
                         {QStringLiteral("name"), info.name},
                         {QStringLiteral("note"), info.note}};
    entries.push_back({QLatin1String(sharedSetManifest),
                       QJsonDocument(manifest).toJson(QJsonDocument::Indented)});
    int photographs = 0;
    for (int index = 0; index < breedCount; ++index) {
        int next = 0; // gaps in the set close up in the file
        for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
            const QString path = pathInSet(set, index, photo);
            if (!QFileInfo::exists(path) || (photo == 0 && set.isDrawing(index))) {
                continue;
            }
            auto bytes = readWhole(path, 64LL << 20);
            if (!bytes) {
                return QStringLiteral("Fotografii „%1“ nelze přečíst.").arg(native(path));
            }
            // A photograph put into the set by hand may still carry the
            // camera's data; it goes out as an import would store it.
            if (carriesMetadata(*bytes)) {
                const QString copy =
                    cleaned.filePath(QStringLiteral("%1-%2.jpg").arg(index).arg(photo));
                const ImportResult result = importPhoto(path, copy);
                if (!result.ok) {
                    return result.message;
                }
                bytes = readWhole(copy, 64LL << 20);
                if (!bytes) {
                    return QStringLiteral("Fotografii „%1“ nelze přečíst.").arg(native(copy));
                }
            }
            entries.push_back(
                {QStringLiteral("obr/%1/%2.jpg").arg(next++).arg(index), std::move(*bytes)});
            ++photographs;
        }
    }
    if (photographs == 0) {
        return QStringLiteral("Sada zatím nemá žádnou vlastní fotografii, není co sdílet.");
    }
    const auto archive = writeSetArchive(entries);
    if (!archive) {
        return QStringLiteral("Na zápis sady nestačí paměť.");
    }
    QString reason;
    if (!writeWhole(file, *archive, &reason)) {
        return QStringLiteral("Sadu nelze uložit do souboru „%1“: %2.").arg(native(file), reason);
    }
    return std::nullopt;
}

} // namespace tarvelo
