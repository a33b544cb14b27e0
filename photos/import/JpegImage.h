// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoImport.h"
#include "UprightImage.h"

#include <QSize>
#include <cstdint>
#include <functional>
#include <span>

namespace tarvelo {

// How a JPEG is to become an image: the one way from a JPEG to a QImage of
// the import, the editor's thumbnails, the Commons grid and the paper test.
struct JpegImageRequest {
    // The size wanted of the upright picture, from its upright size: libjpeg
    // decodes at the smallest of its scales n/8 that still covers it, which
    // is far quicker than decoding whole and scaling down. By default the
    // whole picture.
    std::function<QSize(QSize upright)> cover;
    // Refused before any pixel is decoded: more pixels than this, or a side
    // longer than maxSide (0: any).
    long long maxPixels = importMaxPixels;
    int maxSide = 0;
    // libjpeg holds a progressive file's coefficients for the whole picture
    // whatever the scale; this bounds that for files built to exhaust memory.
    long libraryMemory = 1024L * 1024 * 1024;
    // A picture the library had to make rows up for (damaged, cut short) is
    // refused; otherwise it shows what it has, as the quiz shows it.
    bool refuseIncomplete = true;
};

// The JPEG in bytes decoded as request says and turned upright, its colour
// profile beside it; storedSize is the size the request wanted. Throws
// ImportFailure, never reads past bytes.
UprightPicture jpegImage(std::span<const std::uint8_t> bytes, const JpegImageRequest& request = {});

} // namespace tarvelo
