// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace tarvelo::drawset {

// How picture `index` is stored: sizes and aspect ratios vary on purpose, so
// the quiz's fitting of pictures into its picture box is exercised.
struct PictureFormat {
    int width = 800;
    int height = 600;
    bool progressive = false;
};

PictureFormat pictureFormat(int index);

// Picture `index` (0 .. 18) at its stored size.
QImage drawPicture(int index);

// Writes `image` as a JPEG of quality 85; on failure returns false and fills
// `error`, naming the file.
bool writeJpeg(const QImage& image, const QString& path, bool progressive, QString& error);

// Writes every picture as outDir/obr/0/<index>.jpg; on failure returns false
// and fills `error`.
bool writeDrawingSet(const QString& outDir, QString& error);

// All pictures side by side, numbered and named, for reviewing the set.
QImage contactSheet();

// Writes contactSheet() as the PNG file path; on failure returns false and
// fills `error`.
bool writeContactSheet(const QString& path, QString& error);

} // namespace tarvelo::drawset
