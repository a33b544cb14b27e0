// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedSetLayout.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "JpegPicture.h"
#include "PhotoImport.h"
#include "PictureErrors.h"
#include "SharedSet.h"

namespace tarvelo {

QString entryName(int index, int photo) {
    return QStringLiteral("obr/%1/%2.jpg").arg(photo).arg(index);
}

// Compared whole, never matched against a pattern:
// this runs on the unpacking's worker thread, and a regular expression
// leaves per-thread state behind whose clean-up at the thread's end made
// the program hang at its exit under Wine.
std::optional<EntryPlace> placeOf(const QString& name) {
    for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
        for (int index = 0; index < breedCount; ++index) {
            if (name == entryName(index, photo)) {
                return EntryPlace{index, photo};
            }
        }
    }
    return std::nullopt;
}

bool inSetLayout(const QString& name) {
    if (name == QLatin1String(sharedSetManifest) || name == QLatin1String("obr/")) {
        return true;
    }
    for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
        if (name == QStringLiteral("obr/%1/").arg(photo)) {
            return true;
        }
    }
    return placeOf(name).has_value();
}

bool storableAsItIs(const JpegMarkers& markers) {
    return markers.wellFormed && !markers.metadata && markers.width <= storedBoxWidth &&
           markers.height <= storedBoxHeight;
}

long long decodingWork(const JpegMarkers& markers) {
    constexpr long long importPasses = 4;
    return markers.work() + (storableAsItIs(markers) ? 0
                                                     : static_cast<long long>(markers.width) *
                                                           markers.height * importPasses);
}

bool takenAsStored(const QByteArray& bytes, const JpegMarkers& markers, RasterMemory& spare) {
    if (!storableAsItIs(markers)) {
        return false;
    }
    try {
        JpegPicture picture = JpegPicture::fromBytes({bytes.begin(), bytes.end()});
        picture.decodeRaster(std::move(spare));
        const bool shown = !picture.decodeFailed();
        spare = std::move(picture).releaseRasterMemory();
        return shown;
    } catch (const PictureError&) {
        return false;
    }
}

} // namespace tarvelo
