// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What changes a set: photographs added, chosen and removed, a drawing put
// back. The rest of PhotoSet is in PhotoSet.cpp.
#include "AtomicFile.h"
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "ByteSpan.h"
#include "CzechCounts.h"
#include "ImportMessages.h"
#include "PhotoSet.h"
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

ImportResult PhotoSet::store(int index, int place, const ImportedPhoto& imported) {
    ImportResult result = importResultOf(imported, photoPath(index, place));
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

} // namespace tarvelo
