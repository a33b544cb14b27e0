// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"
#include "SharedSetLimits.h"

#include <QString>
#include <functional>
#include <optional>

namespace tarvelo {

// A picture set shared as one file, NAME.tarvelo: a ZIP archive holding the
// photographs as obr/K/N.jpg and, at its root, tarvelo-set.json with the
// set's name, a free note and the photographs' credits, by entry:
// "credits": {"obr/K/N.jpg": {"author", "licence", …}} (a Tarvelo that knows
// no credits passes over the key). A newer Tarvelo may write a higher format.
inline constexpr int sharedSetFormat = 1;
inline constexpr auto sharedSetManifest = "tarvelo-set.json";

struct SharedSetInfo {
    QString name;
    QString note;
};

// How far an unpacking has come: `done` of `total` photographs. Returning
// false stops it: the teacher pressed "Zrušit".
using UnpackProgress = std::function<bool(int done, int total)>;

struct UnpackedSharedSet {
    // The set's name and note, once every photograph is in the target.
    std::optional<SharedSetInfo> info;
    // Otherwise why not: a Czech sentence naming the file; empty when cancelled.
    QString message;
    bool cancelled = false;
    int photographs = 0;
};

// Reads the shared set in `file` into `target`, a set in a fresh folder that
// the caller drops unless this succeeds. The archive is judged whole from its
// directory first (SetArchiveReader), then the manifest, then one photograph
// at a time, in breed order, renumbered without gaps. Each must be a whole
// JPEG whose decoding work (from its markers) fits the limits, alone and with
// those before it. One that another Tarvelo stored (nothing but the picture,
// no larger than the quiz draws it, decoded without error by the quiz's own
// decoder) goes in byte for byte; any other through the import every
// photograph takes, which scales it down and leaves Exif, GPS, ICC and
// comments behind. Breeds without photographs get their drawing. The name
// and note come back as plain text of bounded length; each photograph's
// credit, bounded as SetCredits keeps it, is recorded in the target for the
// file the photograph became. It touches nothing but
// the file and the target, so it may run on a worker thread.
UnpackedSharedSet unpackSharedSet(const QString& file, PhotoSet& target,
                                  const UnpackProgress& progress = {},
                                  const SharedSetLimits& limits = {});

// Writes the photographs of `set` (its drawings are left out) as a shared
// set's file, through a temporary file and a rename. A photograph the file
// could not carry as it is (metadata anywhere in it, larger than the quiz
// draws it, more work than the limits allow) goes out as an import would
// store it, so the file written is always one unpackSharedSet takes. Each
// photograph's credit goes with it, keyed by its entry. A Czech
// message when the set holds no photograph or the file cannot be written.
std::optional<QString> saveSharedSet(const PhotoSet& set, const SharedSetInfo& info,
                                     const QString& file, const SharedSetLimits& limits = {});

} // namespace tarvelo
