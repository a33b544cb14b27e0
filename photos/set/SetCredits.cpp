// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetCredits.h"

#include "AtomicFile.h"
#include "BoundedJson.h"
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "ByteSpan.h"
#include "CreditJson.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "SetFolderFiles.h"
#include "WriteFailure.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <map>
#include <set>
#include <utility>

namespace tarvelo {

namespace {

using Credits = std::map<QByteArray, PhotoCredit>; // by the photograph's SHA-256, hex

constexpr int creditsFormat = 1;
// 190 photographs' credits are some 100 KiB; a larger file is no credits file.
constexpr qint64 maxCreditsFileBytes = 1 << 20;
// {"credits":[{…}]} is three deep; a little room for what a later version adds.
constexpr int maxCreditsDepth = 8;

QString creditsFilePath(const PhotoSet& set) {
    return set.pathOf(std::string(setCreditsFile));
}

QByteArray hashOf(QByteArrayView bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// The SHA-256 of the photograph at path, read as the quiz reads it (bounded,
// a regular file only); nothing when it cannot be read.
std::optional<QByteArray> photographHash(const QString& path) {
    try {
        const std::vector<std::uint8_t> bytes = readPictureFile(path.toStdString());
        return hashOf(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    } catch (const PictureError&) {
        return std::nullopt;
    }
}

bool isHash(const QByteArray& text) {
    if (text.size() != 64) {
        return false;
    }
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

// The set's credits file as it is; anything unexpected in it (a link, a
// folder, a huge or damaged file, another format) is no credits, so that
// the next record writes a good one over it.
Credits readCredits(const PhotoSet& set) {
    const QString path = creditsFilePath(set);
    const QFileInfo info(path);
    if (isLink(set.pathOf("obr").toStdString()) || isLink(path.toStdString()) || !info.isFile() ||
        info.size() > maxCreditsFileBytes) {
        return {};
    }
    QByteArray bytes;
    try {
        const std::vector<std::uint8_t> read = readPictureFile(path.toStdString());
        // Swapped for a larger one after the look above.
        if (read.size() > static_cast<std::size_t>(maxCreditsFileBytes)) {
            return {};
        }
        bytes = QByteArray(reinterpret_cast<const char*>(read.data()),
                           static_cast<qsizetype>(read.size()));
    } catch (const PictureError&) {
        return {};
    }
    const std::optional<QJsonObject> document =
        boundedJsonObject(bytes, maxCreditsFileBytes, maxCreditsDepth);
    if (!document || document->value(QStringLiteral("format")).toInt() != creditsFormat) {
        return {};
    }
    Credits credits;
    for (const QJsonValue entry : document->value(QStringLiteral("credits")).toArray()) {
        const QByteArray hash =
            entry.toObject().value(QStringLiteral("sha256")).toString().toLatin1();
        if (!isHash(hash)) {
            continue;
        }
        if (auto credit = creditFromJson(entry)) {
            credits.insert_or_assign(hash, std::move(*credit));
        }
    }
    return credits;
}

std::optional<QString> writeCredits(const PhotoSet& set, const Credits& credits) {
    QJsonArray entries;
    for (const auto& [hash, credit] : credits) {
        QJsonObject entry = creditToJson(credit);
        entry.insert(QStringLiteral("sha256"), QString::fromLatin1(hash));
        entries.append(entry);
    }
    const QByteArray bytes = QJsonDocument(QJsonObject{{QStringLiteral("format"), creditsFormat},
                                                       {QStringLiteral("credits"), entries}})
                                 .toJson(QJsonDocument::Indented);
    if (const auto error =
            writeFileInSet(set.folder(), std::string(setCreditsFile), bytesOf(bytes))) {
        return QStringLiteral("Zdroje fotografií nelze uložit do „%1“: %2.")
            .arg(QDir::toNativeSeparators(creditsFilePath(set)), writeFailureReason(*error));
    }
    return std::nullopt;
}

// The hashes of every photograph of the set, by path.
std::map<QString, QByteArray> photographHashes(const PhotoSet& set) {
    std::map<QString, QByteArray> hashes;
    for (int index = 0; index < breedCount; ++index) {
        for (const QString& path : set.photos(index)) {
            if (auto hash = photographHash(path)) {
                hashes.emplace(QDir::cleanPath(path), std::move(*hash));
            }
        }
    }
    return hashes;
}

// Gives each of `given` its credit (none: takes it away), keeps the credits
// of the set's other photographs and lets go of the rest; written only when
// that changes anything.
std::optional<QString>
changeCredits(const PhotoSet& set,
              const std::vector<std::pair<QString, std::optional<PhotoCredit>>>& given) {
    if (const auto refusal = set.linkRefusal()) {
        return refusal;
    }
    const std::map<QString, QByteArray> hashes = photographHashes(set);
    const Credits old = readCredits(set);
    Credits kept;
    for (const auto& [path, hash] : hashes) {
        if (const auto found = old.find(hash); found != old.end()) {
            kept.insert_or_assign(hash, found->second);
        }
    }
    for (const auto& [path, credit] : given) {
        const auto hash = hashes.find(QDir::cleanPath(path));
        if (hash == hashes.end()) {
            return QStringLiteral("Fotografie „%1“ v sadě není, nelze u ní zapsat zdroj.")
                .arg(QDir::toNativeSeparators(path));
        }
        const std::optional<PhotoCredit> bounded = credit ? boundedCredit(*credit) : std::nullopt;
        if (bounded) {
            kept.insert_or_assign(hash->second, *bounded);
        } else {
            kept.erase(hash->second);
        }
    }
    if (kept == old && (QFileInfo::exists(creditsFilePath(set)) || kept.empty())) {
        return std::nullopt;
    }
    return writeCredits(set, kept);
}

} // namespace

std::map<QByteArray, PhotoCredit> creditsByHash(const PhotoSet& set) {
    return readCredits(set);
}

QByteArray photographHash(const QByteArray& bytes) {
    return hashOf(bytes);
}

std::optional<QString> addCredits(const PhotoSet& set, const std::vector<HashedCredit>& credits) {
    if (const auto refusal = set.linkRefusal()) {
        return refusal;
    }
    Credits kept = readCredits(set);
    const Credits old = kept;
    for (const HashedCredit& given : credits) {
        if (auto bounded = boundedCredit(given.credit)) {
            kept.insert_or_assign(given.sha256, std::move(*bounded));
        }
    }
    if (kept.size() > static_cast<std::size_t>(breedCount * maxPhotosPerBreed)) {
        std::set<QByteArray> inSet;
        for (const auto& [path, hash] : photographHashes(set)) {
            inSet.insert(hash);
        }
        std::erase_if(kept, [&inSet](const auto& credit) { return !inSet.contains(credit.first); });
    }
    if (kept == old && (QFileInfo::exists(creditsFilePath(set)) || kept.empty())) {
        return std::nullopt;
    }
    return writeCredits(set, kept);
}

std::optional<PhotoCredit> creditOf(const PhotoSet& set, const QString& path) {
    const Credits credits = readCredits(set);
    if (credits.empty()) {
        return std::nullopt;
    }
    const auto hash = photographHash(path);
    if (!hash) {
        return std::nullopt;
    }
    const auto found = credits.find(*hash);
    return found == credits.end() ? std::nullopt : std::optional(found->second);
}

std::vector<CreditedPhoto> creditsOf(const PhotoSet& set) {
    std::vector<CreditedPhoto> credited;
    const Credits credits = readCredits(set);
    if (credits.empty()) {
        return credited;
    }
    for (int index = 0; index < breedCount; ++index) {
        for (const QString& path : set.photos(index)) {
            const auto hash = photographHash(path);
            if (!hash) {
                continue;
            }
            if (const auto found = credits.find(*hash); found != credits.end()) {
                credited.push_back({path, found->second});
            }
        }
    }
    return credited;
}

std::optional<QString> recordCredit(const PhotoSet& set, const QString& path,
                                    const PhotoCredit& credit) {
    return changeCredits(set, {{path, credit}});
}

std::optional<QString> recordCredits(const PhotoSet& set,
                                     const std::vector<CreditedPhoto>& credits) {
    std::vector<std::pair<QString, std::optional<PhotoCredit>>> given;
    given.reserve(credits.size());
    for (const CreditedPhoto& photo : credits) {
        given.emplace_back(photo.path, photo.credit);
    }
    return changeCredits(set, given);
}

std::optional<QString> forgetCredit(const PhotoSet& set, const QString& path) {
    return changeCredits(set, {{path, std::nullopt}});
}

} // namespace tarvelo
