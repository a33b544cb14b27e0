// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Thumbnail.h"

#include "PictureFile.h"
#include "RasterImage.h"

#include <QPainter>
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
        const QSize size = QSize(raster->width, raster->height).scaled(box, Qt::KeepAspectRatio);
        const QRect target(
            QPoint((box.width() - size.width()) / 2, (box.height() - size.height()) / 2), size);
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
