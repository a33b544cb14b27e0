// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A set written as one shared file: saveSharedSet.
#include "AtomicFile.h"
#include "BreedCatalogue.h"
#include "ByteSpan.h"
#include "CreditJson.h"
#include "JpegMarkers.h"
#include "PhotoImport.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "SetArchive.h"
#include "SetCredits.h"
#include "SharedSet.h"
#include "SharedSetLayout.h"
#include "WriteFailure.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>

namespace tarvelo {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The bytes of a photograph of the set, read as the quiz reads it: bounded,
// a regular file only.
std::optional<QByteArray> readPhotograph(const QString& path) {
    try {
        const std::vector<std::uint8_t> bytes = readPictureFile(path.toStdString());
        return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    } catch (const PictureError&) {
        return std::nullopt;
    }
}

// What the file carries for a photograph of the set (its bytes, from the
// file at path): itself when an import would take it byte for byte and it
// fits what is left of the work budget, else the copy an import stores.
class Export {
public:
    explicit Export(const SharedSetLimits& limits) : limits_(limits) {}

    std::optional<QByteArray> photograph(const QByteArray& photograph, const QString& path,
                                         QString* message) {
        std::optional<QByteArray> bytes = photograph;
        const JpegMarkers markers = walkJpegMarkers(bytesOf(*bytes));
        // Half the budget is kept for copies an import makes, which every
        // photograph can become: 190 of them need far less than that half.
        if (storableAsItIs(markers) && bytes->size() <= limits_.entryBytes &&
            bytes_ + bytes->size() <= limits_.totalBytes / 2 &&
            markers.work() <= limits_.photoWork && work_ + markers.work() <= limits_.fileWork / 2) {
            work_ += markers.work();
            bytes_ += bytes->size();
            return bytes;
        }
        // Re-encoded in memory, as an import would store it.
        ImportedPhoto copy = importPhoto(*bytes, QFileInfo(path).fileName());
        if (!copy.ok) {
            *message = copy.message;
            return std::nullopt;
        }
        bytes = std::move(copy.stored);
        work_ += decodingWork(walkJpegMarkers(bytesOf(*bytes)));
        bytes_ += bytes->size();
        return bytes;
    }

    // Whether the file as written so far is one an import takes.
    bool withinLimits() const { return work_ <= limits_.fileWork && bytes_ <= limits_.totalBytes; }

private:
    SharedSetLimits limits_;
    long long work_ = 0;
    qint64 bytes_ = 0;
};

// The manifest, within the size every Tarvelo reads. An older one, which
// knows no credits, passes over their key. A set of 190 photographs from
// Commons nears the limit: their titles go first (never shown on paper, and
// on the page anyway), then the long page gives way to the short link, which
// leads to the same page.
std::optional<QByteArray> manifestWith(const SharedSetInfo& info, QJsonObject credits) {
    const auto written = [&info](const QJsonObject& withCredits) {
        QJsonObject manifest{{QStringLiteral("format"), sharedSetFormat},
                             {QStringLiteral("name"), info.name},
                             {QStringLiteral("note"), info.note}};
        if (!withCredits.isEmpty()) {
            manifest.insert(QStringLiteral("credits"), withCredits);
            return QJsonDocument(manifest).toJson(QJsonDocument::Compact);
        }
        return QJsonDocument(manifest).toJson(QJsonDocument::Indented);
    };
    // Each credit's `key` becomes the text at `with`, where that is not empty;
    // an empty `with` takes the key away.
    const auto thinned = [&credits](const QString& key, const QString& with) {
        for (auto credit = credits.begin(); credit != credits.end(); ++credit) {
            QJsonObject object = credit.value().toObject();
            const QString text = with.isEmpty() ? QString() : object.value(with).toString();
            if (with.isEmpty()) {
                object.remove(key);
            } else if (!text.isEmpty()) {
                object.insert(key, text);
            }
            credit.value() = object;
        }
    };
    QByteArray bytes = written(credits);
    if (bytes.size() > maxManifestBytes) {
        thinned(QStringLiteral("title"), {});
        bytes = written(credits);
    }
    if (bytes.size() > maxManifestBytes) {
        thinned(QStringLiteral("page"), QStringLiteral("shortPage"));
        bytes = written(credits);
    }
    if (bytes.size() > maxManifestBytes) {
        return std::nullopt;
    }
    return bytes;
}

// Every photograph of `set` as an entry, gaps in the set closed up in the
// file, with its credit by that entry; why not, in Czech.
std::optional<QString> addPhotographs(const PhotoSet& set, Export& out,
                                      std::vector<ArchiveEntry>& entries, QJsonObject& credits) {
    const std::map<QByteArray, PhotoCredit> creditByHash = creditsByHash(set);
    for (int index = 0; index < breedCount; ++index) {
        int next = 0;
        for (const QString& path : set.photos(index)) {
            const std::optional<QByteArray> photograph = readPhotograph(path);
            if (!photograph) {
                return QStringLiteral("Fotografii „%1“ nelze přečíst.").arg(native(path));
            }
            const QString entry = entryName(index, next++);
            if (const auto credit = creditByHash.empty()
                                        ? creditByHash.end()
                                        : creditByHash.find(photographHash(*photograph));
                credit != creditByHash.end()) {
                credits.insert(entry, creditToJson(credit->second));
            }
            QString message;
            auto bytes = out.photograph(*photograph, path, &message);
            if (!bytes) {
                return message;
            }
            entries.push_back({entry, std::move(*bytes)});
        }
    }
    return std::nullopt;
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* reason) {
    if (const auto error = writeFileAtomically(path.toStdString(), bytesOf(bytes))) {
        *reason = writeFailureReason(*error);
        return false;
    }
    return true;
}

} // namespace

std::optional<QString> saveSharedSet(const PhotoSet& set, const SharedSetInfo& info,
                                     const QString& file, const SharedSetLimits& limits) {
    // A photograph read through a link could be anybody's file.
    if (const auto link = set.linkInSet()) {
        return QStringLiteral("Sadu nelze uložit do souboru: obsahuje odkaz „%1“, který vede "
                              "jinam. Odkaz odstraňte, nebo zvolte jinou složku.")
            .arg(*link);
    }
    std::vector<ArchiveEntry> entries;
    entries.push_back({QLatin1String(sharedSetManifest), {}}); // written once credits are known
    // Keyed by the entry a photograph is written as, so a credit follows it
    // whether it goes out as it is or re-encoded.
    QJsonObject credits;
    Export out(limits);
    if (auto failed = addPhotographs(set, out, entries, credits)) {
        return failed;
    }
    const auto photographs = entries.size() - 1;
    if (photographs == 0) {
        return QStringLiteral("Sada zatím nemá žádnou vlastní fotografii, není co sdílet.");
    }
    // Never reached by photographs an import stored; a file past it would be
    // refused where it is opened.
    if (!out.withinLimits()) {
        return QStringLiteral("Sada je na jeden soubor příliš velká.");
    }
    auto manifest = manifestWith(info, credits);
    if (!manifest) {
        return QStringLiteral("Zdroje fotografií jsou na popis sady příliš dlouhé.");
    }
    entries.front().bytes = std::move(*manifest);
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
