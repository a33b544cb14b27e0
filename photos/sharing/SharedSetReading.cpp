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
#include <deque>
#include <future>
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
        if (!unpackPhotographs(archive, credited)) {
            return outcome();
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
    // Photographs by breed and number, so obr/1 comes before obr/2 whatever
    // order the archive lists them in.
    static std::vector<std::pair<EntryPlace, std::size_t>>
    photosInOrder(const SetArchiveReader& archive) {
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
        return photos;
    }

    // Every photograph into the target, renumbered without gaps; false when
    // one cannot go in or the teacher stopped it.
    bool unpackPhotographs(SetArchiveReader& archive, std::vector<HashedCredit>& credited) {
        const auto photos = photosInOrder(archive);
        std::array<int, breedCount> next{};
        // One photograph is checked by the quiz's decoder on a second core
        // while the next is read, so the unpacking costs about what the
        // checks alone cost.
        std::deque<Pending> pending;
        for (std::size_t k = 0; k < photos.size(); ++k) {
            if (progress_ && !progress_(static_cast<int>(k), static_cast<int>(photos.size()))) {
                cancelled_ = true;
                return false;
            }
            const auto& [place, i] = photos[k];
            std::optional<Pending> read =
                readPhotograph(archive, i, place, next[static_cast<std::size_t>(place.index)]++);
            if (!read) {
                // Told as it would be one at a time: a photograph before it
                // that cannot go in comes first.
                const QString why = message_;
                while (!pending.empty()) {
                    if (!finish(pending, credited)) {
                        return false;
                    }
                }
                message_ = why;
                return false;
            }
            pending.push_back(std::move(*read));
            if (pending.size() > 1 && !finish(pending, credited)) {
                return false;
            }
        }
        while (!pending.empty()) {
            if (!finish(pending, credited)) {
                return false;
            }
        }
        return true;
    }

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

    // A photograph read from the archive and judged by its markers, its
    // check by the quiz's decoder under way when it may go in as it is.
    struct Pending {
        QString entry;
        int index = 0;
        int photo = 0;
        QByteArray bytes;
        std::future<std::pair<bool, RasterMemory>> shown;
    };

    // Entry i, to become photograph `photo` of its breed; nothing, with
    // message_ saying why, when it is no whole JPEG or too much work.
    std::optional<Pending> readPhotograph(SetArchiveReader& archive, std::size_t i,
                                          const EntryPlace& place, int photo) {
        Pending read{.entry = archive.files()[i].name,
                     .index = place.index,
                     .photo = photo,
                     .bytes = {},
                     .shown = {}};
        std::optional<QByteArray> bytes = archive.read(i);
        if (!bytes) {
            refuse(QStringLiteral("položka „%1“ je poškozená").arg(read.entry));
            return std::nullopt;
        }
        read.bytes = std::move(*bytes);
        const JpegMarkers markers = walkJpegMarkers(bytesOf(read.bytes));
        if (const auto why = tooCostly(markers)) {
            cannotUse(read.entry, place.index, *why);
            return std::nullopt;
        }
        if (storableAsItIs(markers)) {
            RasterMemory spare = takeSpare();
            read.shown = std::async(std::launch::async, [bytes = read.bytes, markers,
                                                         spare = std::move(spare)]() mutable {
                const bool shown = takenAsStored(bytes, markers, spare);
                return std::pair(shown, std::move(spare));
            });
        }
        return read;
    }

    // Why the photograph with these markers is not taken: no whole JPEG, or
    // more decoding work than the limits allow, alone or with those before.
    std::optional<QString> tooCostly(const JpegMarkers& markers) {
        if (!markers.wellFormed) {
            return QStringLiteral("Není to úplná fotografie JPEG.");
        }
        const long long work = decodingWork(markers);
        work_ += work;
        if (work > limits_.photoWork) {
            return QStringLiteral("Její dekódování by trvalo příliš dlouho (%1 × %2 pixelů ve %3 "
                                  "průchodech).")
                .arg(markers.width)
                .arg(markers.height)
                .arg(markers.scans);
        }
        if (work_ > limits_.fileWork) {
            return QStringLiteral("Dekódování fotografií celé sady by s ní trvalo příliš dlouho; "
                                  "sada je asi vyrobená tak, aby program zaměstnala.");
        }
        return std::nullopt;
    }

    RasterMemory takeSpare() {
        if (spares_.empty()) {
            return {};
        }
        RasterMemory spare = std::move(spares_.back());
        spares_.pop_back();
        return spare;
    }

    // The first pending photograph written into the target, as it is or as
    // the import stores it, its credit tied to the bytes written; false,
    // with message_ saying why, when it cannot go in.
    bool finish(std::deque<Pending>& pending, std::vector<HashedCredit>& credited) {
        Pending read = std::move(pending.front());
        pending.pop_front();
        bool shown = false;
        if (read.shown.valid()) {
            auto [checked, spare] = read.shown.get();
            shown = checked;
            spares_.push_back(std::move(spare));
        }
        QByteArray stored = read.bytes;
        if (!shown) {
            ImportedPhoto imported = importPhoto(read.bytes, read.entry);
            if (!imported.ok) {
                cannotUse(read.entry, read.index, imported.message);
                return false;
            }
            stored = std::move(imported.stored);
        }
        const QString path = target_.photoPath(read.index, read.photo);
        if (!QDir().mkpath(QFileInfo(path).path())) {
            message_ =
                QStringLiteral("Složku „%1“ nelze vytvořit.").arg(native(QFileInfo(path).path()));
            return false;
        }
        if (!writeStaged(path, stored)) {
            message_ = QStringLiteral("Fotografii nelze rozbalit do „%1“.").arg(native(path));
            return false;
        }
        // The credit goes to what the photograph became, renumbered and
        // perhaps imported anew; the bytes written tie the two together.
        if (const auto credit = credits_.find(read.entry); credit != credits_.end()) {
            credited.push_back({photographHash(stored), credit->second});
        }
        ++photographs_;
        return true;
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
    // Raster memory of the photographs checked, for the next ones' checks.
    std::vector<RasterMemory> spares_;
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
