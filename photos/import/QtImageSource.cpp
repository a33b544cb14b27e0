// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtImageSource.h"

#include "ImportMessages.h"
#include "PhotoImport.h"

#include <QImageReader>
#include <QPainter>
#include <algorithm>

namespace tarvelo {

namespace {

// Phones save HEIC by default; naming it tells the teacher what to do.
bool isHeif(const QByteArray& bytes) {
    if (bytes.size() < 12 || bytes.mid(4, 4) != "ftyp") {
        return false;
    }
    const QByteArray brand = bytes.mid(8, 4);
    return brand == "heic" || brand == "heix" || brand == "mif1" || brand == "msf1" ||
           brand == "hevc" || brand == "avif";
}

Orientation orientationOf(QImageIOHandler::Transformations transformation) {
    switch (transformation.toInt()) {
    case QImageIOHandler::TransformationMirror:
        return Orientation::MirroredLeftRight;
    case QImageIOHandler::TransformationRotate180:
        return Orientation::UpsideDown;
    case QImageIOHandler::TransformationFlip:
        return Orientation::MirroredTopBottom;
    case QImageIOHandler::TransformationFlipAndRotate90:
        return Orientation::Transposed;
    case QImageIOHandler::TransformationRotate90:
        return Orientation::TurnedClockwise;
    case QImageIOHandler::TransformationMirrorAndRotate90:
        return Orientation::Transversed;
    case QImageIOHandler::TransformationRotate270:
        return Orientation::TurnedAnticlockwise;
    default:
        return Orientation::Upright;
    }
}

// Transparent parts show what the quiz's box shows around a picture: black.
QImage opaque(const QImage& image) {
    if (!image.hasAlphaChannel()) {
        return image.convertToFormat(QImage::Format_RGB32);
    }
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    return out;
}

} // namespace

UprightPicture readQtPicture(QIODevice& device) {
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        if (isHeif(device.peek(12))) {
            throw ImportFailure{ImportProblem::Unsupported, QStringLiteral("HEIC")};
        }
        throw ImportFailure{ImportProblem::NotAnImage, {}};
    }
    // Qt refuses images beyond its allocation limit (in MiB, 4 bytes a pixel),
    // so that is the real bound for what it reads.
    long long maxPixels = importMaxPixels;
    if (QImageReader::allocationLimit() > 0) {
        maxPixels = std::min(maxPixels,
                             static_cast<long long>(QImageReader::allocationLimit()) * 1024 * 256);
    }
    const QSize size = reader.size();
    if (size.isValid() && static_cast<long long>(size.width()) * size.height() > maxPixels) {
        throw ImportFailure{ImportProblem::TooLarge,
                            QStringLiteral("%1 × %2 pixelů, nejvýše %3 milionů pixelů")
                                .arg(size.width())
                                .arg(size.height())
                                .arg(maxPixels / 1'000'000)};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        throw ImportFailure{ImportProblem::Damaged, {}};
    }
    UprightPicture picture;
    picture.orientation = orientationOf(reader.transformation());
    picture.colourSpace = image.colorSpace();
    picture.image = opaque(image);
    picture.storedSize = placedSize(picture.image.width(), picture.image.height());
    return picture;
}

} // namespace tarvelo
