// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Thumbnail.h"

#include "PictureFile.h"
#include "Placement.h"
#include "RasterImage.h"

#include <QPainter>
#include <algorithm>
#include <exception>

namespace tarvelo {

QImage thumbnailOf(const QString& path, QSize box) {
    try {
        JpegPicture picture = loadPicture(path.toStdString());
        picture.decodeRaster();
        const Raster* raster = picture.raster();
        if (picture.decodeFailed() || raster == nullptr || raster->empty()) {
            return {};
        }
        // The quiz's placement, a fifth of the size; a thumbnail may be enlarged.
        const PlacementRect place = placementRect(raster->width, raster->height, 641, 233);
        const double scale = std::min(box.width() / 641.0, box.height() / 233.0);
        const QRectF target(place.left * scale, place.top * scale, place.width() * scale,
                            place.height() * scale);
        QImage thumbnail(box, QImage::Format_RGB32);
        thumbnail.fill(Qt::black);
        QPainter painter(&thumbnail);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, rasterImage(*raster));
        return thumbnail;
    } catch (const std::exception&) {
        return {}; // the row says why, from the set's own check
    }
}

} // namespace tarvelo
