// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedCatalogue.h"
#include "PhotoSet.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace tarvelo {

// A picture set shared as one file, NAME.tarvelo: a ZIP archive holding the
// photographs as obr/K/N.jpg and, at its root, tarvelo-set.json with the
// set's name and a free note. A newer Tarvelo may write a higher format.
inline constexpr int sharedSetFormat = 1;
inline constexpr auto sharedSetManifest = "tarvelo-set.json";

struct SharedSetInfo {
    QString name;
    QString note;
};

// A shared set as read from its file: each breed's photographs in order, as
// the file holds them (checked only when unpacked).
struct SharedSet {
    SharedSetInfo info;
    std::array<std::vector<QByteArray>, breedCount> photos;
};

struct SharedSetRead {
    std::optional<SharedSet> set;
    QString message; // when there is no set: a Czech sentence naming the file
};

// Reads a shared set's file; refuses, with the reason, anything that is not
// one (see readSetArchive) or whose manifest is missing, malformed or of a
// newer format.
SharedSetRead readSharedSet(const QString& file);

// Puts every photograph of `shared` into `target` (a set in a fresh folder),
// renumbered without gaps. One another Tarvelo stored (no metadata, no
// larger than the quiz draws it, decoded without error by the quiz's own
// decoder) goes in byte for byte; any other through the import every
// photograph takes, so it is decoded within the same pixel and scan limits,
// scaled down, and leaves without Exif, GPS, ICC or comments. Breeds without
// photographs get their drawing. A Czech message when a photograph cannot be
// taken.
std::optional<QString> unpackSharedSet(const SharedSet& shared, PhotoSet& target);

// Makes `set` hold exactly the pictures of `from`, photograph by photograph,
// each written whole, a new set made complete first; a Czech message when a
// file cannot be written.
std::optional<QString> replaceSetPictures(PhotoSet& set, const PhotoSet& from);

// Writes the photographs of `set` (its drawings are left out) as a shared
// set's file, through a temporary file and a rename. A Czech message when
// the set holds no photograph or the file cannot be written.
std::optional<QString> saveSharedSet(const PhotoSet& set, const SharedSetInfo& info,
                                     const QString& file);

} // namespace tarvelo
