// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Thumbnail.h"

#include "ImportMessages.h"
#include "JpegImage.h"
#include "PhotoSet.h"
#include "PictureFile.h"

#include <QPainter>
#include <exception>

namespace tarvelo {

namespace {

// A thumbnail is decoded as the quiz would show the picture: bounded as the
// quiz bounds it, a file cut short showing what it has, upright.
JpegImageRequest thumbnailRequest(QSize box) {
    return {.cover = [box](QSize upright) { return upright.scaled(box, Qt::KeepAspectRatio); },
            .maxPixels = DecodeLimits{}.maxPixels,
            .maxSide = 0,
            .libraryMemory = 512L * 1024 * 1024,
            .refuseIncomplete = false};
}

} // namespace

QImage thumbnailOf(const QString& path, QSize box) {
    try {
        const QImage decoded =
            jpegImage(readPictureFile(path.toStdString()), thumbnailRequest(box)).image;
        if (decoded.isNull()) {
            return {};
        }
        const QSize size = decoded.size().scaled(box, Qt::KeepAspectRatio);
        const QRect target(
            QPoint((box.width() - size.width()) / 2, (box.height() - size.height()) / 2), size);
        QImage thumbnail(box, QImage::Format_RGB32);
        thumbnail.fill(Qt::black);
        QPainter painter(&thumbnail);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, decoded);
        return thumbnail;
    } catch (const std::exception&) {
        return {}; // the row says why, from the set's own check
    } catch (const ImportFailure&) {
        return {};
    }
}

RowPicture rowPictureOf(const PhotoSet& set, const QString& path, QSize box) {
    try {
        RowPicture picture{.thumbnail = thumbnailOf(path, box), .problem = std::nullopt};
        // Scaled or not, the library reads every coefficient of the file: a
        // picture it decoded at a scale decodes whole too. One it could not
        // is checked as the quiz would show it, for the set's own words.
        if (picture.thumbnail.isNull()) {
            picture.problem = set.problemOf(path);
        }
        return picture;
    } catch (const std::exception& error) { // nothing may leave a worker thread
        return {.thumbnail = {}, .problem = QString::fromUtf8(error.what())};
    }
}

} // namespace tarvelo
