// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AtomicFile.h"
#include "ExifOrientation.h"
#include "SetFolderFiles.h"

#include <QSize>
#include <QString>

namespace tarvelo {

// The quiz draws a picture at most 641 x 233; at scale factor 3 that is
// 1923 x 699 device pixels, so nothing larger is ever worth storing.
inline constexpr int storedBoxWidth = 1923;
inline constexpr int storedBoxHeight = 699;

// The photograph formats we refuse to decode beyond this many pixels, so a
// small file announcing a vast picture cannot exhaust memory.
inline constexpr long long importMaxPixels = 200'000'000;

struct ImportResult {
    bool ok = false;
    // When !ok: a Czech sentence naming the file and the reason.
    QString message;
    // What was written: size in pixels and bytes.
    QSize storedSize;
    qint64 storedBytes = 0;
    // The Exif (or format) orientation that was turned out of the pixels.
    Orientation appliedOrientation = Orientation::Upright;
    // The file it was written as.
    QString storedPath;
};

// Reads the photograph at source (JPEG, PNG or whatever Qt's image plugins
// read), turns it upright, converts it to sRGB, scales it down (never up) to
// its placement in storedBoxWidth x storedBoxHeight and writes it to target
// as a baseline JPEG without metadata. target is replaced atomically: on
// failure it is left as it was. source is only read. It touches nothing but
// the two files, so it may run on a worker thread.
ImportResult importPhoto(const QString& source, const QString& target);

// The same into the file below set's folder (such as "obr/5/3.jpg"), reached
// from set.root without passing through a link (AtomicFile.h) and made as
// set.newEntries says; storedPath is its whole path.
ImportResult importPhoto(const QString& source, const SetFolder& set, const std::string& below);

} // namespace tarvelo
