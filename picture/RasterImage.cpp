// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RasterImage.h"

#include <vector>

namespace tarvelo {

QImage rasterImage(const Raster& raster) {
    if (raster.empty() || !raster.pixels.data())
        return {};
    const auto stride = static_cast<qsizetype>(raster.stride);
    if (raster.bitsPerPixel == 24)
        return QImage(raster.pixels.data(), raster.width, raster.height, stride,
                      QImage::Format_BGR888);
    QImage image(raster.pixels.data(), raster.width, raster.height, stride,
                 QImage::Format_Indexed8);
    QList<QRgb> colours;
    colours.reserve(256);
    for (const auto& entry : raster.palette)
        colours.append(qRgb(entry[0], entry[1], entry[2]));
    // Indices past the palette cannot come from the decoder; show them black.
    while (colours.size() < 256)
        colours.append(qRgb(0, 0, 0));
    image.setColorTable(colours);
    return image;
}

// Written out rather than QImage::scaled(): only the target's pixels are
// touched, and the palette lookup and format conversion happen on the way, so
// the first paint of a small photograph costs a fraction of what Qt's generic
// transform does.
QImage scaledRasterImage(const Raster& raster, QSize size) {
    if (raster.empty() || !raster.pixels.data() || size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    const auto sourceIndex = [](int target, int targetSize, int sourceSize) {
        return static_cast<int>((2 * static_cast<long long>(target) + 1) * sourceSize /
                                (2 * static_cast<long long>(targetSize)));
    };
    std::vector<int> columns(static_cast<std::size_t>(size.width()));
    for (int x = 0; x < size.width(); ++x)
        columns[static_cast<std::size_t>(x)] = sourceIndex(x, size.width(), raster.width);

    std::vector<QRgb> palette(256, qRgb(0, 0, 0));
    for (std::size_t i = 0; i < raster.palette.size() && i < palette.size(); ++i)
        palette[i] = qRgb(raster.palette[i][0], raster.palette[i][1], raster.palette[i][2]);

    for (int y = 0; y < size.height(); ++y) {
        const std::uint8_t* in = raster.row(sourceIndex(y, size.height(), raster.height));
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        if (raster.bitsPerPixel == 24) {
            for (const int sx : columns) {
                const std::uint8_t* px = in + 3 * sx;
                *out++ = qRgb(px[2], px[1], px[0]);
            }
        } else {
            for (const int sx : columns)
                *out++ = palette[in[sx]];
        }
    }
    return image;
}

} // namespace tarvelo
