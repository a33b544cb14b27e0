// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoSet.h"

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
#include "SetFolderSteps.h"
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

namespace tarvelo {

using namespace setfolder;

PhotoSet::PhotoSet(QString root, QString drawingsDir, NewEntries newEntries)
    : root_(std::move(root)), drawingsDir_(std::move(drawingsDir)), newEntries_(newEntries) {}

PhotoSet PhotoSet::inFolders(const std::filesystem::path& root,
                             const std::filesystem::path& drawingsDir, NewEntries newEntries) {
    const auto qtFolder = [](const std::filesystem::path& folder) {
        return QDir::cleanPath(
            QDir::fromNativeSeparators(QString::fromStdString(utf8FromPath(folder))));
    };
    return PhotoSet(qtFolder(root), qtFolder(drawingsDir), newEntries);
}

PhotoSet PhotoSet::forEdited(const EditedSet& edited) {
    return inFolders(edited.folder, edited.drawings,
                     edited.everyAccount ? NewEntries::ReadableByAll : NewEntries::ByUmask);
}

SetFolder PhotoSet::folder() const {
    return {root_.toStdString(), newEntries_};
}

std::optional<QString> PhotoSet::linkInSet() const {
    const auto linked = [this](const QString& below) {
        return isLink((root_ + QLatin1Char('/') + below).toStdString());
    };
    const QString obr = QStringLiteral("obr");
    if (linked(obr)) {
        return obr;
    }
    // The credits file is read and written beside the photographs: a link
    // there is as much a trap as one in a photograph's place.
    const QString credits = QStringLiteral("obr/") +
                            QString::fromUtf8(setCreditsFileName.data(),
                                              static_cast<qsizetype>(setCreditsFileName.size()));
    if (linked(credits)) {
        return credits;
    }
    // A folder that is a link is named itself; what is in it is not looked at.
    for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
        const QString folder = QString::fromStdString(folderBelow(photo));
        if (linked(folder)) {
            return folder;
        }
        for (int index = 0; index < breedCount; ++index) {
            const QString file = QString::fromStdString(fileBelow(index, photo));
            if (linked(file)) {
                return file;
            }
        }
    }
    return std::nullopt;
}

std::optional<QString> PhotoSet::linkRefusal() const {
    const auto link = linkInSet();
    if (!link) {
        return std::nullopt;
    }
    return QStringLiteral("Sada ve složce „%1“ obsahuje odkaz „%2“, který vede jinam; do takové "
                          "sady Tarvelo nezapisuje. Odkaz odstraňte, nebo zvolte jinou složku.")
        .arg(QDir::toNativeSeparators(root_), *link);
}

QString PhotoSet::picturePath(int index) const {
    return pathOf(tarvelo::picturePath(index));
}

QString PhotoSet::photoPath(int index, int photo) const {
    return pathOf(tarvelo::photoPath(index, photo));
}

QString PhotoSet::pathOf(const std::string& relative) const {
    return QDir::cleanPath(root_ + QLatin1Char('/') +
                           QDir::fromNativeSeparators(QString::fromStdString(relative)));
}

QString PhotoSet::drawingPath(int index) const {
    return QDir::cleanPath(drawingsDir_ + QStringLiteral("/%1.jpg").arg(index));
}

bool PhotoSet::ensureComplete(QString* message) {
    if (drawingsDir_.isEmpty()) {
        setMessage(message, QStringLiteral("Kresby dodávané s programem nebyly nalezeny; "
                                           "program je asi neúplně nainstalovaný."));
        return false;
    }
    if (const auto refusal = linkRefusal()) {
        setMessage(message, *refusal);
        return false;
    }
    // The set's own folder is made as it is named; only what is below it is
    // walked to without links.
    if (newEntries_ == NewEntries::ReadableByAll) {
        if (const auto refusal = prepareClassSetFolder(
                pathFromUtf8(QDir::toNativeSeparators(root_).toStdString()))) {
            setMessage(message, QString::fromStdString(*refusal));
            return false;
        }
    } else if (!QDir().mkpath(root_)) {
        setMessage(
            message,
            QStringLiteral("Složku „%1“ nelze vytvořit.").arg(QDir::toNativeSeparators(root_)));
        return false;
    }
    const SetFolder set = folder();
    if (!makeFolder(set, folderBelow(0), message)) {
        return false;
    }
    for (int index = 0; index < breedCount; ++index) {
        if (QFileInfo::exists(picturePath(index))) {
            continue;
        }
        // A breed whose first photograph was lost keeps the next one first,
        // rather than getting its drawing in front of its photographs.
        bool movedUp = false;
        for (int photo = 1; photo < maxPhotosPerBreed && !movedUp; ++photo) {
            if (QFileInfo(photoPath(index, photo)).isFile()) {
                if (!moveOver(set, index, photo, 0, message)) {
                    return false;
                }
                movedUp = true;
            }
        }
        if (!movedUp && !copyAtomically(drawingPath(index), set, fileBelow(index, 0), message)) {
            return false;
        }
    }
    return true;
}

std::vector<int> PhotoSet::photoPlaces(int index) const {
    std::vector<int> places;
    if (!validIndex(index)) {
        return places;
    }
    for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
        if (QFileInfo(photoPath(index, photo)).isFile() && (photo != 0 || !isDrawing(index))) {
            places.push_back(photo);
        }
    }
    return places;
}

QStringList PhotoSet::photos(int index) const {
    QStringList paths;
    for (const int photo : photoPlaces(index)) {
        paths.push_back(photoPath(index, photo));
    }
    return paths;
}

std::optional<QString> PhotoSet::notReadyFor(int index) {
    if (!validIndex(index)) {
        return noSuchPicture(index);
    }
    QString message;
    if (!ensureComplete(&message)) {
        return message;
    }
    return std::nullopt;
}

bool PhotoSet::isDrawing(int index) const {
    if (!validIndex(index)) {
        return false;
    }
    // Sizes first, so that most photographs are told apart unread; the read
    // is bounded and never waits on a pipe named like the picture.
    const QFileInfo picture(picturePath(index));
    const QFileInfo drawing(drawingPath(index));
    if (!picture.isFile() || !drawing.isFile() || picture.size() != drawing.size()) {
        return false;
    }
    try {
        return readPictureFile(picturePath(index).toStdString()) ==
               readPictureFile(drawingPath(index).toStdString());
    } catch (const PictureError&) {
        return false;
    }
}

std::optional<QString> PhotoSet::problem(int index) const {
    if (!validIndex(index)) {
        return noSuchPicture(index);
    }
    return problemOf(picturePath(index));
}

std::optional<QString> PhotoSet::problemOf(const QString& path) const {
    if (!QFileInfo::exists(path)) {
        return QStringLiteral("Obrázek „%1“ chybí; kvíz by ohlásil chybu.")
            .arg(QDir::toNativeSeparators(path));
    }
    // Exactly what the quiz's picture box does with it: load, then decode at
    // the first paint.
    try {
        JpegPicture picture = loadPicture(path.toStdString());
        picture.decodeRaster();
    } catch (const PictureError& e) {
        return QStringLiteral("Kvíz by obrázek „%1“ neukázal: %2")
            .arg(QDir::toNativeSeparators(path), QString::fromUtf8(e.what()));
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Kvíz by obrázek „%1“ neukázal: nedostatek paměti")
            .arg(QDir::toNativeSeparators(path));
    }
    return std::nullopt;
}

} // namespace tarvelo
