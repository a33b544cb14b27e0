// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetFolderSteps.h"

#include "AtomicFile.h"
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "ByteSpan.h"
#include "CzechCounts.h"
#include "ImportMessages.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "SetCredits.h"
#include "SetFolderFiles.h"
#include "SetPlaces.h"
#include "Utf8Path.h"
#include "WriteFailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace tarvelo::setfolder {

bool validIndex(int index) {
    return index >= 0 && index < breedCount;
}

QString noSuchPicture(int index) {
    return QStringLiteral("Obrázek číslo %1 v sadě není (jen 0 až %2).")
        .arg(index)
        .arg(breedCount - 1);
}

void setMessage(QString* message, const QString& text) {
    if (message) {
        *message = text;
    }
}

std::string fileBelow(int index, int photo) {
    return "obr/" + std::to_string(photo) + "/" + std::to_string(index) + ".jpg";
}
std::string folderBelow(int photo) {
    return "obr/" + std::to_string(photo);
}

QString shown(const SetFolder& set, const std::string& below) {
    return QDir::toNativeSeparators(QDir::cleanPath(
        QString::fromStdString(set.root) + QLatin1Char('/') + QString::fromStdString(below)));
}

bool copyAtomically(const QString& from, const SetFolder& set, const std::string& target,
                    QString* message) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = readPictureFile(from.toStdString());
    } catch (const PictureError&) {
        setMessage(
            message,
            QStringLiteral("Kresbu „%1“ nelze přečíst.").arg(QDir::toNativeSeparators(from)));
        return false;
    }
    if (const auto error = writeFileInSet(set, target, bytes)) {
        setMessage(message, QStringLiteral("Obrázek nelze uložit jako „%1“: %2.")
                                .arg(shown(set, target), writeFailureReason(*error)));
        return false;
    }
    return true;
}

bool makeFolder(const SetFolder& set, const std::string& folder, QString* message) {
    if (const auto error = makeFoldersInSet(set, folder)) {
        setMessage(message, QStringLiteral("Složku „%1“ nelze vytvořit: %2.")
                                .arg(shown(set, folder), writeFailureReason(*error)));
        return false;
    }
    return true;
}

bool moveOver(const SetFolder& set, int index, int from, int to, QString* message) {
    if (!makeFolder(set, folderBelow(to), message)) {
        return false;
    }
    if (const auto error = replaceInSet(set, fileBelow(index, from), fileBelow(index, to))) {
        setMessage(message, QStringLiteral("Fotografii „%1“ nelze přesunout na „%2“: %3.")
                                .arg(shown(set, fileBelow(index, from)),
                                     shown(set, fileBelow(index, to)), writeFailureReason(*error)));
        return false;
    }
    return true;
}

QString breedName(int index) {
    return QString::fromUtf8(answerName(index));
}

} // namespace tarvelo::setfolder
