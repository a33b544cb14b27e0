// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Thumbnail.h"

#include "JpegDecompressor.h"
#include "JpegRows.h"
#include "PhotoSet.h"
#include "PictureFile.h"

#include <QPainter>
#include <exception>

namespace tarvelo {

namespace {
// A progressive file's coefficients are held whole whatever the scale; this
// bounds that for a file built to exhaust memory.
constexpr long maxLibraryMemory = 512L * 1024 * 1024;

// Every row of the picture at its chosen scale. A file cut short decodes
// what it has, the rest made up by the library, as the quiz shows it.
QImage decodeScaled(const JpegPicture& picture, QSize box) {
    // The quiz refuses a picture larger than this before decoding it.
    if (static_cast<long long>(picture.width()) * picture.height() > DecodeLimits{}.maxPixels) {
        return {};
    }
    JpegDecompressor decompressor(picture.bytes());
    decompressor.limitMemory(maxLibraryMemory);
    decompressor.readHeader();
    auto& info = decompressor.info();
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN); // RGB32 is blue, green, red, x in memory
    const RowFormat format = chooseRowFormat(info, ColourLayout::Bgrx);
    decompressor.scaleToCover(box.width(), box.height());
    decompressor.startDecompress();
    QImage image(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                 format == RowFormat::Grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    int rows = 0;
    readRows(
        decompressor, format, ColourLayout::Bgrx, [&image](int y) { return image.scanLine(y); },
        rows);
    decompressor.finishDecompress();
    return image;
}
} // namespace

QImage thumbnailOf(const QString& path, QSize box) {
    try {
        const JpegPicture picture = loadPicture(path.toStdString());
        const QImage decoded = decodeScaled(picture, box);
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
