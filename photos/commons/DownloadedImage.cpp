// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DownloadedImage.h"

#include <QBuffer>
#include <QImageReader>

namespace tarvelo {

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
    // Qt's readers show what a cut-off file holds, grey below: a download
    // cut short is refused before, by the end its format always has.
    const QByteArray end = bytes.right(64);
    if (!(kind == DownloadedKind::Jpeg ? end.contains("\xFF\xD9") : end.contains("IEND"))) {
        return {{}, QStringLiteral("Náhled z Wikimedia Commons nepřišel celý.")};
    }
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, kind == DownloadedKind::Jpeg ? "jpeg" : "png");
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > thumbnailMaxSide || size.height() > thumbnailMaxSide) {
        return {{}, QStringLiteral("Náhled z Wikimedia Commons nelze zobrazit.")};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return {{}, QStringLiteral("Náhled z Wikimedia Commons je poškozený.")};
    }
    return {std::move(image), std::nullopt};
}

} // namespace tarvelo
