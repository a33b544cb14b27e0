// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExifOrientation.h"

#include <QColorSpace>
#include <QImage>
#include <QSize>

namespace tarvelo {

// A picture turned upright, at least as large as the size wanted of it.
struct UprightPicture {
    QImage image;
    QColorSpace colourSpace; // invalid: taken as sRGB
    QSize storedSize;        // the size wanted: the import's placement in the stored box
    Orientation orientation = Orientation::Upright;
};

// Its placement in the stored box: the size of the copy to be stored.
QSize placedSize(int width, int height);

// stored turned for viewing as orientation says; RGB32.
QImage turnUpright(const QImage& stored, Orientation orientation);

} // namespace tarvelo
