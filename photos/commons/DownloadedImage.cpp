// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DownloadedImage.h"

#include "ByteSpan.h"
#include "ImportMessages.h"
#include "JpegImage.h"

#include <QBuffer>
#include <QImageReader>

namespace tarvelo {

namespace {

// Through the project's own libjpeg-turbo decoding (Qt is built without its
// JPEG plugin on Windows), upright. Null when it cannot be decoded or is too
// large.
QImage decodedJpeg(const QByteArray& bytes) {
    try {
        return jpegImage(bytesOf(bytes), {.cover = {},
                                          .maxPixels = qint64{thumbnailMaxSide} * thumbnailMaxSide,
                                          .maxSide = thumbnailMaxSide,
                                          .libraryMemory = 64L * 1024 * 1024,
                                          .refuseIncomplete = true})
            .image;
    } catch (const ImportFailure&) {
        return {};
    }
}

QImage decodedPng(const QByteArray& bytes) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > thumbnailMaxSide || size.height() > thumbnailMaxSide) {
        return {};
    }
    return reader.read();
}

} // namespace

DownloadedKind downloadedKind(const QByteArray& bytes) {
    if (bytes.startsWith(QByteArrayLiteral("\xFF\xD8\xFF"))) {
        return DownloadedKind::Jpeg;
    }
    if (bytes.startsWith(QByteArrayLiteral("\x89PNG\r\n\x1A\n"))) {
        return DownloadedKind::Png;
    }
    return DownloadedKind::Other;
}

DecodedThumbnail decodeThumbnail(const QByteArray& bytes) {
    const DownloadedKind kind = downloadedKind(bytes);
    if (kind == DownloadedKind::Other) {
        return {{}, QStringLiteral("Náhled z Wikimedia Commons není obrázek.")};
    }
    // A decoder shows what a cut-off file holds, blank below: a download
    // cut short is refused before, by the end its format always has.
    const QByteArray end = bytes.right(64);
    if (!(kind == DownloadedKind::Jpeg ? end.contains("\xFF\xD9") : end.contains("IEND"))) {
        return {{}, QStringLiteral("Náhled z Wikimedia Commons nepřišel celý.")};
    }
    QImage image = kind == DownloadedKind::Jpeg ? decodedJpeg(bytes) : decodedPng(bytes);
    if (image.isNull()) {
        return {{}, QStringLiteral("Náhled z Wikimedia Commons nelze zobrazit.")};
    }
    return {std::move(image), std::nullopt};
}

} // namespace tarvelo
