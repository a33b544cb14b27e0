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

namespace {

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

// Photograph `photo` of breed index, and the folder of its number, below the
// set's folder, with "/" on every system as the atomic writes take them.
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

// The drawing's bytes as the file below the set's folder, all or nothing.
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

// One photograph over another's place, in one step.
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

} // namespace

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

ImportResult PhotoSet::store(int index, int place, const ImportedPhoto& imported) {
    ImportResult result{.ok = false,
                        .message = imported.message,
                        .storedSize = imported.storedSize,
                        .storedBytes = imported.stored.size(),
                        .appliedOrientation = imported.appliedOrientation,
                        .storedPath = photoPath(index, place),
                        .creditProblem = {}};
    if (!imported.ok) {
        return result;
    }
    const SetFolder set = folder();
    if (const auto error = writeFileInSet(set, fileBelow(index, place), bytesOf(imported.stored))) {
        result.message =
            importMessage(ImportProblem::NotWritten, shown(set, fileBelow(index, place)),
                          writeFailureReason(*error));
        return result;
    }
    result.ok = true;
    return result;
}

ImportResult PhotoSet::choose(int index, const QString& photo) {
    ImportResult result;
    if (const auto problem = notReadyFor(index)) {
        result.message = *problem;
        return result;
    }
    return store(index, 0, importPhotoFile(photo));
}

std::optional<int> PhotoSet::nextPlace(int index, const QString& shownName, ImportResult& result) {
    if (const auto problem = notReadyFor(index)) {
        result.message = *problem;
        return std::nullopt;
    }
    const std::vector<int> places = photoPlaces(index);
    if (places.size() >= static_cast<std::size_t>(maxPhotosPerBreed)) {
        result.message =
            QStringLiteral("Fotografii „%1“ nelze přidat: plemeno %2 už má %3, víc jich mít "
                           "nemůže. Nejdřív některou odeberte.")
                .arg(shownName, breedName(index), photographCount(maxPhotosPerBreed));
        return std::nullopt;
    }
    // The first goes over the drawing; the others after the last, or, in a
    // set made by hand whose last place is taken, into its first gap.
    int place = 0;
    if (!places.empty() && places.front() == 0) {
        place = places.back() + 1;
        for (int free = 1; place >= maxPhotosPerBreed; ++free) {
            if (std::find(places.begin(), places.end(), free) == places.end()) {
                place = free;
            }
        }
    }
    if (!makeFolder(folder(), folderBelow(place), &result.message)) {
        return std::nullopt;
    }
    return place;
}

ImportResult PhotoSet::addPhoto(int index, const QByteArray& bytes, const QString& shownName,
                                const std::optional<PhotoCredit>& credit) {
    ImportResult result;
    const std::optional<int> place = nextPlace(index, shownName, result);
    if (!place) {
        return result;
    }
    const ImportedPhoto imported = importPhoto(bytes, shownName);
    result = store(index, *place, imported);
    if (result.ok && credit) {
        if (const auto problem = addCredits(
                *this, {{.sha256 = photographHash(imported.stored), .credit = *credit}})) {
            result.creditProblem = *problem;
        }
    }
    return result;
}

ImportResult PhotoSet::addPhoto(int index, const QString& photo) {
    ImportResult result;
    const std::optional<int> place = nextPlace(index, QFileInfo(photo).fileName(), result);
    if (!place) {
        return result;
    }
    return store(index, *place, importPhotoFile(photo));
}

bool PhotoSet::removePhoto(int index, int number, QString* message, const StepCheck& goOn) {
    if (!validIndex(index)) {
        setMessage(message, noSuchPicture(index));
        return false;
    }
    if (const auto refusal = linkRefusal()) {
        setMessage(message, *refusal);
        return false;
    }
    const SetFolder set = folder();
    const std::vector<int> places = photoPlaces(index);
    if (number < 1 || number > static_cast<int>(places.size())) {
        setMessage(
            message,
            places.empty()
                ? QStringLiteral("Plemeno %1 nemá žádnou vlastní fotografii.").arg(breedName(index))
                : QStringLiteral("Plemeno %1 nemá fotografii číslo %2, má jen %3.")
                      .arg(breedName(index))
                      .arg(number)
                      .arg(photographCount(static_cast<int>(places.size()))));
        return false;
    }
    const auto stopped = [&] {
        if (goOn && !goOn()) {
            setMessage(message, QStringLiteral("Odebírání fotografie bylo přerušeno."));
            return true;
        }
        return false;
    };
    // Each later photograph moves over the place before it; the last move
    // frees the end. Nothing is ever copied, so nothing is ever half there.
    const auto removed = places.begin() + (number - 1);
    int target = *removed;
    for (auto later = removed + 1; later != places.end(); ++later, ++target) {
        if (!moveOver(set, index, *later, target, message)) {
            return false;
        }
        if (stopped()) {
            return false;
        }
    }
    if (removed + 1 != places.end()) {
        return true;
    }
    if (target == 0) { // the breed's last photograph: its drawing comes back
        return copyAtomically(drawingPath(index), set, fileBelow(index, 0), message) && !stopped();
    }
    if (const auto error = removeFileInSet(set, fileBelow(index, target))) {
        setMessage(message,
                   QStringLiteral("Fotografii „%1“ nelze smazat: %2.")
                       .arg(shown(set, fileBelow(index, target)), writeFailureReason(*error)));
        return false;
    }
    return !stopped();
}

bool PhotoSet::restoreDrawing(int index, QString* message) {
    if (const auto problem = notReadyFor(index)) {
        setMessage(message, *problem);
        return false;
    }
    return copyAtomically(drawingPath(index), folder(), fileBelow(index, 0), message);
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
