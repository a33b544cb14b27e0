// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetReplacement.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "FolderSwap.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "PictureSets.h"
#include "SetCredits.h"
#include "SetFolderRecovery.h"
#include "Utf8Path.h"
#include "WriteFailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

namespace tarvelo {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

std::filesystem::path pathOf(const QString& folder) {
    return pathFromUtf8(folder.toStdString());
}

QString notReplaced(const QString& why) {
    return QStringLiteral("Fotografie sady nelze nahradit: %1. Sada zůstala, jak byla.").arg(why);
}

// A copy that only has to be whole once the staging folder is flushed.
bool copyPlainly(const QString& from, const QString& to) {
    try {
        const std::vector<std::uint8_t> bytes = readPictureFile(from.toStdString());
        QFile file(to);
        return file.open(QIODevice::WriteOnly) &&
               file.write(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
               file.flush();
    } catch (const PictureError&) {
        return false;
    }
}

} // namespace

SetReplacement::SetReplacement(const PhotoSet& set, QString stagingFolder)
    : lock_(pathOf(set.root())), set_(set), stagingFolder_(std::move(stagingFolder)),
      staged_(stagingFolder_, set.drawingsDir()) {}

std::unique_ptr<SetReplacement> SetReplacement::begin(const PhotoSet& set, QString* message) {
    // The old obr goes whole, links and all, so none would be followed; but a
    // set with a link is someone's mistake or trap, and is said as such.
    if (const auto refusal = set.linkRefusal()) {
        *message = *refusal;
        return nullptr;
    }
    if (!QDir().mkpath(set.root())) {
        *message =
            notReplaced(QStringLiteral("složku „%1“ nelze vytvořit").arg(native(set.root())));
        return nullptr;
    }
    QTemporaryDir staging(
        QDir(set.root())
            .filePath(QString::fromLatin1(stagingPrefix.data(),
                                          static_cast<qsizetype>(stagingPrefix.size())) +
                      QStringLiteral("XXXXXX")));
    if (!staging.isValid()) {
        *message = notReplaced(QStringLiteral("ve složce „%1“ nelze nic vytvořit (%2)")
                                   .arg(native(set.root()), staging.errorString()));
        return nullptr;
    }
    staging.setAutoRemove(false); // this object removes it, also after a failed swap
    std::unique_ptr<SetReplacement> replacement(new SetReplacement(set, staging.path()));
    if (!replacement->lock_.held()) {
        *message = notReplaced(QStringLiteral("sadu právě mění jiný program; zkuste to znovu, "
                                              "až skončí"));
        return nullptr;
    }
    return replacement;
}

SetReplacement::~SetReplacement() {
    QDir(stagingFolder_).removeRecursively();
}

std::optional<QString> SetReplacement::commit() {
    QString message;
    if (!staged_.ensureComplete(&message)) {
        return message;
    }
    const std::string staged = QDir(stagingFolder_).filePath(QStringLiteral("obr")).toStdString();
    const std::string live = QDir(set_.root()).filePath(QStringLiteral("obr")).toStdString();
    const std::string parked = QDir(stagingFolder_).filePath(QStringLiteral("old")).toStdString();
    matchPermissions(staged, set_.root().toStdString());
    if (const auto error = syncFolderTree(staged)) {
        return notReplaced(writeFailureReason(*error));
    }
    if (const auto error = swapFolders(staged, live, parked)) {
        return notReplaced(writeFailureReason(*error));
    }
    return std::nullopt;
}

std::optional<QString> replaceSetPictures(PhotoSet& set, const PhotoSet& from) {
    QString message;
    const std::unique_ptr<SetReplacement> replacement = SetReplacement::begin(set, &message);
    if (!replacement) {
        return message;
    }
    PhotoSet& staged = replacement->staged();
    // Read before the copies, so that what the staging folder records is what
    // `from` said of the very photographs copied.
    const std::vector<CreditedPhoto> credited = creditsOf(from);
    std::vector<CreditedPhoto> carried;
    for (int index = 0; index < breedCount; ++index) {
        for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
            const QString source = from.photoPath(index, photo);
            if (!QFileInfo(source).isFile() || (photo == 0 && from.isDrawing(index))) {
                continue;
            }
            const QString target = staged.photoPath(index, photo);
            if (!QDir().mkpath(QFileInfo(target).path()) || !copyPlainly(source, target)) {
                return notReplaced(
                    QStringLiteral("fotografii „%1“ nelze zkopírovat").arg(native(source)));
            }
            const auto credit = std::find_if(credited.begin(), credited.end(),
                                             [&](const auto& c) { return c.path == source; });
            if (credit != credited.end()) {
                carried.push_back({target, credit->credit});
            }
        }
    }
    // The credits go in the staged obr, so the swap brings them with their
    // photographs, or leaves the old ones with the old set.
    if (const auto failed = recordCredits(staged, carried)) {
        return QStringLiteral("%1 Sada zůstala, jak byla.").arg(*failed);
    }
    return replacement->commit();
}

std::optional<QString> takeOverRefusal(const PhotoSet& target, bool everyAccount) {
    if (!everyAccount) {
        return std::nullopt;
    }
    const auto refusal = classSetRefusal(pathFromUtf8(target.root().toStdString()));
    return refusal ? std::optional(QString::fromStdString(*refusal)) : std::nullopt;
}

std::optional<QString> takeOverSharedSet(PhotoSet& target, bool everyAccount,
                                         const PhotoSet& shared) {
    if (auto refusal = takeOverRefusal(target, everyAccount)) {
        return refusal;
    }
    return replaceSetPictures(target, shared);
}

} // namespace tarvelo
