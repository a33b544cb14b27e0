// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A shared file read into a set: unpackSharedSet.
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "ByteSpan.h"
#include "CreditJson.h"
#include "ForeignText.h"
#include "JpegMarkers.h"
#include "PhotoImport.h"
#include "SetArchive.h"
#include "SetCredits.h"
#include "SharedSet.h"
#include "SharedSetLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <map>
#include <new>

namespace tarvelo {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString refusal(const QString& file, const QString& why) {
    return QStringLiteral("Soubor „%1“ nelze otevřít jako sdílenou sadu: %2.")
        .arg(native(file), why);
}

// A file of a folder that goes as a whole if anything fails: written plainly.
bool writeStaged(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

class Unpacking {
public:
    Unpacking(const QString& file, PhotoSet& target, const UnpackProgress& progress,
              const SharedSetLimits& limits)
        : file_(file), target_(target), progress_(progress), limits_(limits) {}

    UnpackedSharedSet run() {
        SetArchiveReader archive(file_, inSetLayout, limits_);
        if (archive.refusal()) {
            refuse(*archive.refusal());
            return outcome();
        }
        std::optional<SharedSetInfo> info = readManifest(archive);
        if (!info) {
            return outcome();
        }
        std::vector<HashedCredit> credited;
        // Photographs by breed and number, so obr/1 comes before obr/2
        // whatever order the archive lists them in.
        std::vector<std::pair<EntryPlace, std::size_t>> photos;
        for (std::size_t i = 0; i < archive.files().size(); ++i) {
            if (const auto place = placeOf(archive.files()[i].name)) {
                photos.emplace_back(*place, i);
            }
        }
        std::sort(photos.begin(), photos.end(), [](const auto& a, const auto& b) {
            return std::pair(a.first.index, a.first.photo) <
                   std::pair(b.first.index, b.first.photo);
        });
        std::array<int, breedCount> next{};
        for (const auto& [place, i] : photos) {
            if (progress_ && !progress_(photographs_, static_cast<int>(photos.size()))) {
                cancelled_ = true;
                return outcome();
            }
            const int number = next[static_cast<std::size_t>(place.index)]++;
            const std::optional<QByteArray> stored =
                unpackPhotograph(archive, i, place.index, number);
            if (!stored) {
                return outcome();
            }
            // The credit goes to what the photograph became, renumbered and
            // perhaps imported anew; the bytes written tie the two together.
            if (const auto credit = credits_.find(archive.files()[i].name);
                credit != credits_.end()) {
                credited.push_back({photographHash(*stored), credit->second});
            }
            ++photographs_;
        }
        QString message;
        if (!target_.ensureComplete(&message)) {
            message_ = message;
            return outcome();
        }
        if (const auto failed = addCredits(target_, credited)) {
            message_ = *failed;
            return outcome();
        }
        return outcome(std::move(info));
    }

private:
    void refuse(const QString& why) { message_ = refusal(file_, why); }

    UnpackedSharedSet outcome(std::optional<SharedSetInfo> info = std::nullopt) const {
        UnpackedSharedSet result;
        result.info = std::move(info);
        result.message = message_;
        result.cancelled = cancelled_;
        result.photographs = photographs_;
        return result;
    }

    std::optional<SharedSetInfo> readManifest(SetArchiveReader& archive) {
        const auto& files = archive.files();
        const auto found = std::find_if(files.begin(), files.end(), [](const auto& f) {
            return f.name == QLatin1String(sharedSetManifest);
        });
        const QString manifestName = QLatin1String(sharedSetManifest);
        if (found == files.end()) {
            refuse(QStringLiteral("chybí v něm popis sady (%1)").arg(manifestName));
            return std::nullopt;
        }
        std::optional<QByteArray> bytes;
        if (found->size <= maxManifestBytes) {
            bytes = archive.read(static_cast<std::size_t>(found - files.begin()));
        }
        QJsonParseError error{};
        const QJsonDocument document =
            bytes ? QJsonDocument::fromJson(*bytes, &error) : QJsonDocument();
        if (!bytes || error.error != QJsonParseError::NoError || !document.isObject()) {
            refuse(QStringLiteral("popis sady (%1) je poškozený").arg(manifestName));
            return std::nullopt;
        }
        const QJsonObject manifest = document.object();
        const QJsonValue format = manifest.value(QStringLiteral("format"));
        if (!format.isDouble() || format.toDouble() < 1 || format.toDouble() > 1e9 ||
            format.toDouble() != format.toInt()) {
            refuse(QStringLiteral("popis sady neuvádí platnou verzi formátu"));
            return std::nullopt;
        }
        if (format.toInt() > sharedSetFormat) {
            refuse(QStringLiteral("zapsala ho novější verze Tarvela (formát %1); tato verze "
                                  "umí formát %2, nainstalujte novější Tarvelo")
                       .arg(format.toInt())
                       .arg(sharedSetFormat));
            return std::nullopt;
        }
        readCredits(manifest.value(QStringLiteral("credits")), archive);
        return SharedSetInfo{
            .name = shownSetName(manifest.value(QStringLiteral("name")).toString()),
            .note = shownSetNote(manifest.value(QStringLiteral("note")).toString())};
    }

    // The photographs' credits, by the entry they are for: only entries of
    // photographs the archive holds, each credit bounded (creditFromJson).
    // An older Tarvelo wrote none; anything but an object is none too.
    void readCredits(const QJsonValue& value, const SetArchiveReader& archive) {
        const QJsonObject credits = value.toObject();
        for (const auto& file : archive.files()) {
            if (!placeOf(file.name)) {
                continue;
            }
            if (auto credit = creditFromJson(credits.value(file.name))) {
                credits_.insert_or_assign(file.name, std::move(*credit));
            }
        }
    }

    // The photograph as the teacher is told of it: its entry and its breed.
    QString cannotUse(const QString& entry, int index, const QString& why) {
        message_ = QStringLiteral("Fotografii %1 (%2) ze sdílené sady nelze použít. %3")
                       .arg(entry, QString::fromUtf8(answerName(index)), why);
        return message_;
    }

    // The photograph of entry i written as photograph `photo` of breed
    // index, as it is or as the import stores it; the bytes written, or
    // nothing with message_ saying why.
    std::optional<QByteArray> unpackPhotograph(SetArchiveReader& archive, std::size_t i, int index,
                                               int photo) {
        const QString entry = archive.files()[i].name;
        const std::optional<QByteArray> bytes = archive.read(i);
        if (!bytes) {
            refuse(QStringLiteral("položka „%1“ je poškozená").arg(entry));
            return std::nullopt;
        }
        const JpegMarkers markers = walkJpegMarkers(bytesOf(*bytes));
        if (!markers.wellFormed) {
            cannotUse(entry, index, QStringLiteral("Není to úplná fotografie JPEG."));
            return std::nullopt;
        }
        const long long work = decodingWork(markers);
        work_ += work;
        if (work > limits_.photoWork || work_ > limits_.fileWork) {
            cannotUse(entry, index,
                      work > limits_.photoWork
                          ? QStringLiteral("Její dekódování by trvalo příliš dlouho (%1 × %2 "
                                           "pixelů ve %3 průchodech).")
                                .arg(markers.width)
                                .arg(markers.height)
                                .arg(markers.scans)
                          : QStringLiteral("Dekódování fotografií celé sady by s ní trvalo "
                                           "příliš dlouho; sada je asi vyrobená tak, aby "
                                           "program zaměstnala."));
            return std::nullopt;
        }
        const QString stored = target_.photoPath(index, photo);
        if (!QDir().mkpath(QFileInfo(stored).path())) {
            message_ =
                QStringLiteral("Složku „%1“ nelze vytvořit.").arg(native(QFileInfo(stored).path()));
            return std::nullopt;
        }
        QByteArray storedBytes = *bytes;
        if (!takenAsStored(*bytes, markers)) {
            ImportedPhoto imported = importPhoto(*bytes, entry);
            if (!imported.ok) {
                cannotUse(entry, index, imported.message);
                return std::nullopt;
            }
            storedBytes = std::move(imported.stored);
        }
        if (!writeStaged(stored, storedBytes)) {
            message_ = QStringLiteral("Fotografii nelze rozbalit do „%1“.").arg(native(stored));
            return std::nullopt;
        }
        return storedBytes;
    }

    QString file_;
    PhotoSet& target_;
    const UnpackProgress& progress_;
    SharedSetLimits limits_;
    QString message_;
    std::map<QString, PhotoCredit> credits_;
    bool cancelled_ = false;
    int photographs_ = 0;
    long long work_ = 0;
};

} // namespace

UnpackedSharedSet unpackSharedSet(const QString& file, PhotoSet& target,
                                  const UnpackProgress& progress, const SharedSetLimits& limits) {
    try {
        return Unpacking(file, target, progress, limits).run();
    } catch (const std::bad_alloc&) {
        UnpackedSharedSet failed;
        failed.message = refusal(file, QStringLiteral("nedostatek paměti"));
        return failed;
    }
}

} // namespace tarvelo
