// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegImage.h"

#include "ImportMessages.h"
#include "JpegDecompressor.h"
#include "JpegRows.h"
#include "PhotoImport.h"
#include "PictureErrors.h"
#include "UprightImage.h"

#include <algorithm>
#include <jerror.h>

namespace tarvelo {

namespace {

const QString outOfMemory = QStringLiteral("nedostatek paměti");

// The library's reason for stopping, as the teacher is told it.
ImportFailure failureFor(const EJPEG& error, bool tooManyScans) {
    if (tooManyScans) {
        return {ImportProblem::EndlessScans, QString::number(maxJpegScans)};
    }
    switch (error.code()) {
    case JERR_NO_BACKING_STORE:
    case JERR_OUT_OF_MEMORY:
        return {ImportProblem::TooLarge, outOfMemory};
    case JERR_INPUT_EMPTY:
    case JERR_INPUT_EOF:
        return {ImportProblem::Truncated, {}};
    case JERR_ARITH_NOTIMPL:
    case JERR_NOT_COMPILED:
    case JERR_BAD_PRECISION:
    case JERR_NOTIMPL:
        return {ImportProblem::Unsupported, QStringLiteral("JPEG v této variantě")};
    default:
        return {ImportProblem::Damaged, {}};
    }
}

// 1. The library's working memory bounded. 2. The header with the Exif
// (APP1) and ICC (APP2) markers, which the library otherwise skips; no pixel
// is decoded for a file too large. The picture's orientation and colours.
UprightPicture readHeader(JpegDecompressor& decompressor, const JpegImageRequest& request) {
    decompressor.limitMemory(request.libraryMemory);
    decompressor.saveMarkers(JPEG_APP0 + 1);
    decompressor.saveMarkers(JPEG_APP0 + 2);
    decompressor.readHeader();
    const auto& info = decompressor.info();
    const long long width = info.image_width;
    const long long height = info.image_height;
    if (width * height > request.maxPixels ||
        (request.maxSide > 0 && std::max(width, height) > request.maxSide)) {
        throw ImportFailure{ImportProblem::TooLarge,
                            QStringLiteral("%1 × %2 pixelů, nejvýše %3 milionů pixelů")
                                .arg(width)
                                .arg(height)
                                .arg(request.maxPixels / 1'000'000)};
    }
    UprightPicture picture;
    picture.orientation = decompressor.orientation();
    const std::vector<std::uint8_t> profile = decompressor.iccProfile();
    if (!profile.empty()) {
        picture.colourSpace = QColorSpace::fromIccProfile(QByteArray(
            reinterpret_cast<const char*>(profile.data()), static_cast<qsizetype>(profile.size())));
    }
    return picture;
}

// 4. Every row, into an image of the output size. 5. Where asked, unlike the
//    quiz, refuse what the library made up: a photograph with a grey band is
//    no photograph to store.
QImage decodeRows(JpegDecompressor& decompressor, RowFormat format, bool refuseIncomplete) {
    const auto& info = decompressor.info();
    decompressor.startDecompress();
    QImage image(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                 format == RowFormat::Grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (image.isNull()) {
        throw ImportFailure{ImportProblem::TooLarge, outOfMemory};
    }
    int rows = 0;
    readRows(
        decompressor, format, ColourLayout::Bgrx, [&image](int y) { return image.scanLine(y); },
        rows);
    if (rows < image.height() && refuseIncomplete) {
        throw ImportFailure{ImportProblem::Damaged, {}};
    }
    decompressor.finishDecompress();
    if (decompressor.readFailed()) {
        throw ImportFailure{ImportProblem::Unreadable, QStringLiteral("chyba při čtení souboru")};
    }
    if (decompressor.truncated() && refuseIncomplete) {
        throw ImportFailure{ImportProblem::Truncated, {}};
    }
    return image;
}

// The steps of libjpeg's decoding sequence.
UprightPicture decodeUpright(JpegDecompressor& decompressor, const JpegImageRequest& request) {
    UprightPicture picture = readHeader(decompressor, request);
    const int width = static_cast<int>(decompressor.info().image_width);
    const int height = static_cast<int>(decompressor.info().image_height);
    const bool swap = swapsSides(picture.orientation);
    const QSize upright = swap ? QSize(height, width) : QSize(width, height);
    picture.storedSize = request.cover ? request.cover(upright) : upright;
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN); // RGB32's byte order is BGRX
    const RowFormat format = chooseRowFormat(decompressor.info(), ColourLayout::Bgrx);
    // 3. The smallest of libjpeg's scaled sizes that still covers the size
    //    wanted, before it is turned.
    const QSize wanted = swap ? picture.storedSize.transposed() : picture.storedSize;
    decompressor.scaleToCover(wanted.width(), wanted.height());
    picture.image = turnUpright(decodeRows(decompressor, format, request.refuseIncomplete),
                                picture.orientation);
    return picture;
}

} // namespace

UprightPicture jpegImage(std::span<const std::uint8_t> bytes, const JpegImageRequest& request) {
    try {
        JpegDecompressor decompressor(bytes);
        try {
            return decodeUpright(decompressor, request);
        } catch (const EJPEG& error) {
            throw failureFor(error, decompressor.tooManyScans());
        }
    } catch (const EJPEG& error) { // no memory for a decompressor at all
        throw failureFor(error, false);
    }
}

} // namespace tarvelo
