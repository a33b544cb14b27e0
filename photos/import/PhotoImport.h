// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExifOrientation.h"

#include <QByteArray>
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

// No photograph comes near this; a bigger file is a mistake, not a picture.
inline constexpr qint64 importMaxSourceBytes = 512LL * 1024 * 1024;

// A photograph made fit for a set, or why it is not.
struct ImportedPhoto {
    bool ok = false;
    // When !ok: a Czech sentence naming the photograph and the reason.
    QString message;
    // The copy to store: a baseline JPEG without metadata, and its size.
    QByteArray stored;
    QSize storedSize;
    // The Exif (or format) orientation that was turned out of the pixels.
    Orientation appliedOrientation = Orientation::Upright;
};

// The photograph in `bytes` (JPEG, PNG or whatever Qt's image plugins read)
// turned upright, converted to sRGB, scaled down (never up) to its placement
// in storedBoxWidth x storedBoxHeight and encoded as a baseline JPEG without
// metadata, which the quiz's own decoder has shown. `shownName` names the
// photograph in the messages. Touches no file, so it may run on any thread.
ImportedPhoto importPhoto(const QByteArray& bytes, const QString& shownName);

// The same for the file at `source` (from the file dialog or a drop), read
// within importMaxSourceBytes and only when it is a regular file, which is
// judged on what was opened: a pipe put in its place is refused, never
// waited on. Messages name the file by its name.
ImportedPhoto importPhotoFile(const QString& source);

// What a photograph's import into a set came to.
struct ImportResult {
    bool ok = false;
    // When !ok: a Czech sentence naming the photograph and the reason.
    QString message;
    // What was written: size in pixels and bytes.
    QSize storedSize;
    qint64 storedBytes = 0;
    // The Exif (or format) orientation that was turned out of the pixels.
    Orientation appliedOrientation = Orientation::Upright;
    // The file it was written as.
    QString storedPath;
    // When the photograph went in but the credit given with it could not be
    // written: why, in Czech. The photograph stays.
    QString creditProblem;
};

// What an import into the file at storedPath came to, before it is written:
// not yet ok.
ImportResult importResultOf(const ImportedPhoto& imported, const QString& storedPath);

// importPhotoFile written to the file `target`, replaced atomically: on
// failure it is left as it was, and a write that fails names it.
ImportResult importPhoto(const QString& source, const QString& target);

} // namespace tarvelo
