// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UprightImage.h"

#include "PhotoImport.h"
#include "Placement.h"

#include <QColorSpace>

namespace tarvelo {

QSize placedSize(int width, int height) {
    const PlacementRect rect = placementRect(width, height, storedBoxWidth, storedBoxHeight);
    return {rect.width(), rect.height()};
}

QImage turnUpright(const QImage& stored, Orientation orientation) {
    const QImage source = stored.convertToFormat(QImage::Format_RGB32);
    if (orientation == Orientation::Upright) {
        return source;
    }
    const bool swap = swapsSides(orientation);
    const int width = swap ? source.height() : source.width();
    const int height = swap ? source.width() : source.height();
    QImage upright(width, height, QImage::Format_RGB32);
    if (upright.isNull()) {
        return upright;
    }
    upright.setColorSpace(source.colorSpace());
    // The same mapping the quiz's picture box turns its pixels by, applied
    // once here to the already reduced picture.
    for (int y = 0; y < height; ++y) {
        auto* out = reinterpret_cast<QRgb*>(upright.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const StoredPixel from = storedPixel(orientation, x, y, width, height);
            out[x] = reinterpret_cast<const QRgb*>(source.constScanLine(from.y))[from.x];
        }
    }
    return upright;
}

} // namespace tarvelo
