// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RasterImage.h"

#include <vector>

namespace tarvelo {

QImage rasterImage(const Raster& raster) {
    if (raster.empty() || !raster.pixels.data()) {
        return {};
    }
    const auto stride = static_cast<qsizetype>(raster.stride);
    if (raster.bitsPerPixel == 24) {
        return QImage(raster.pixels.data(), raster.width, raster.height, stride,
                      QImage::Format_BGR888);
    }
    QImage image(raster.pixels.data(), raster.width, raster.height, stride,
                 QImage::Format_Indexed8);
    QList<QRgb> colours;
    colours.reserve(256);
    for (const auto& entry : raster.palette) {
        colours.append(qRgb(entry[0], entry[1], entry[2]));
    }
    // Indices past the palette cannot come from the decoder; show them black.
    while (colours.size() < 256) {
        colours.append(qRgb(0, 0, 0));
    }
    image.setColorTable(colours);
    return image;
}

namespace {

// The upright picture's pixel under the centre of target pixel `target`.
int sourceIndex(int target, int targetSize, int sourceSize) {
    return static_cast<int>((2 * static_cast<long long>(target) + 1) * sourceSize /
                            (2 * static_cast<long long>(targetSize)));
}

// For each target position along one side, the stored row or column it reads.
// Each turn and mirror maps the upright x to one stored coordinate and the
// upright y to the other, so two such tables describe the whole mapping.
struct Tables {
    std::vector<int> alongX; // per target column
    std::vector<int> alongY; // per target row
};

Tables lookupTables(const Raster& raster, QSize size, Orientation orientation) {
    const bool turned = swapsSides(orientation);
    const int uprightWidth = turned ? raster.height : raster.width;
    const int uprightHeight = turned ? raster.width : raster.height;
    Tables tables{std::vector<int>(static_cast<std::size_t>(size.width())),
                  std::vector<int>(static_cast<std::size_t>(size.height()))};
    for (int x = 0; x < size.width(); ++x) {
        const StoredPixel at = storedPixel(orientation, sourceIndex(x, size.width(), uprightWidth),
                                           0, uprightWidth, uprightHeight);
        tables.alongX[static_cast<std::size_t>(x)] = turned ? at.y : at.x;
    }
    for (int y = 0; y < size.height(); ++y) {
        const StoredPixel at =
            storedPixel(orientation, 0, sourceIndex(y, size.height(), uprightHeight), uprightWidth,
                        uprightHeight);
        tables.alongY[static_cast<std::size_t>(y)] = turned ? at.x : at.y;
    }
    return tables;
}

// Every target pixel of one line, read from one stored row at the columns
// given; Step is the distance between the target pixels in QRgb units, 1 for a
// target row, 0 for a column, whose step is given at run time.
template <int BitsPerPixel, int Step>
void copyLine(const std::uint8_t* in, const std::vector<int>& columns, const QRgb* palette,
              QRgb* out, std::ptrdiff_t columnStep) {
    const std::ptrdiff_t step = Step != 0 ? Step : columnStep;
    for (const int sx : columns) {
        if constexpr (BitsPerPixel == 24) {
            const std::uint8_t* px = in + 3 * sx;
            *out = qRgb(px[2], px[1], px[0]);
        } else {
            *out = palette[in[sx]];
        }
        out += step;
    }
}

} // namespace

// Written out rather than QImage::scaled(): only the target's pixels are
// touched, and the turn, the palette lookup and the format conversion happen
// on the way, so the first paint of a small photograph costs a fraction of
// what Qt's generic transform does, and a turned one costs the same as an
// upright one.
QImage scaledRasterImage(const Raster& raster, QSize size, Orientation orientation) {
    if (raster.empty() || !raster.pixels.data() || size.isEmpty()) {
        return {};
    }
    QImage image(size, QImage::Format_RGB32);
    const Tables tables = lookupTables(raster, size, orientation);

    std::vector<QRgb> palette(256, qRgb(0, 0, 0));
    for (std::size_t i = 0; i < raster.palette.size() && i < palette.size(); ++i) {
        palette[i] = qRgb(raster.palette[i][0], raster.palette[i][1], raster.palette[i][2]);
    }

    if (!swapsSides(orientation)) {
        // A stored row gives a target row.
        for (int y = 0; y < size.height(); ++y) {
            const std::uint8_t* in = raster.row(tables.alongY[static_cast<std::size_t>(y)]);
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            if (raster.bitsPerPixel == 24) {
                copyLine<24, 1>(in, tables.alongX, palette.data(), out, 1);
            } else {
                copyLine<8, 1>(in, tables.alongX, palette.data(), out, 1);
            }
        }
    } else {
        // A stored row gives a target column. Reading the raster row by row
        // keeps its cache behaviour that of an upright picture; the strided
        // writes land in the small target.
        const std::ptrdiff_t step = image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
        auto* first = reinterpret_cast<QRgb*>(image.bits());
        for (int x = 0; x < size.width(); ++x) {
            const std::uint8_t* in = raster.row(tables.alongX[static_cast<std::size_t>(x)]);
            if (raster.bitsPerPixel == 24) {
                copyLine<24, 0>(in, tables.alongY, palette.data(), first + x, step);
            } else {
                copyLine<8, 0>(in, tables.alongY, palette.data(), first + x, step);
            }
        }
    }
    return image;
}

} // namespace tarvelo
