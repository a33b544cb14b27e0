// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JpegMarkers.h"
#include "RasterMemory.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tarvelo {

// What reading and writing a shared set agree on: where each photograph's
// entry stands in the archive, and which photographs travel byte for byte.

// The manifest is a few lines of JSON; anything near this is not one.
inline constexpr qint64 maxManifestBytes = 64 << 10;

// A photograph's place in a set: its breed and number.
struct EntryPlace {
    int index = 0;
    int photo = 0;
};

// The entry a photograph is written as, and read back from: obr/K/N.jpg.
QString entryName(int index, int photo);

// The place whose entry is exactly `name`, so that "obr/0/1.jpg\n" or
// "obr/0/01.jpg" is none; nothing for any other entry.
std::optional<EntryPlace> placeOf(const QString& name);

// obr/K/N.jpg, the manifest, and the folders that hold them: obr/ and obr/K/.
bool inSetLayout(const QString& name);

// A photograph that can go into a set byte for byte, as another Tarvelo
// stored it: a whole JPEG with nothing but the picture, no larger than the
// quiz draws it. Told from its markers alone.
bool storableAsItIs(const JpegMarkers& markers);

// What taking a photograph costs: its decoder's passes, and for one that is
// imported the passes of scaling, turning and encoding it.
long long decodingWork(const JpegMarkers& markers);

// storableAsItIs, and shown by the quiz's own decoder without an error.
// Anything else goes through the import, which would only lose quality on
// such a one. The decoding reuses `spare`, an earlier photograph's raster
// memory, and leaves its own there for the next, as the quiz does.
bool takenAsStored(const QByteArray& bytes, const JpegMarkers& markers, RasterMemory& spare);

} // namespace tarvelo
