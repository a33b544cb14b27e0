#include "RasterImage.h"

namespace tarvelo {

QImage rasterImage(const Raster& raster) {
    if (raster.empty() || !raster.pixels)
        return {};
    const auto stride = static_cast<qsizetype>(raster.stride);
    if (raster.bitsPerPixel == 24)
        return QImage(raster.pixels.get(), raster.width, raster.height, stride,
                      QImage::Format_BGR888);
    QImage image(raster.pixels.get(), raster.width, raster.height, stride, QImage::Format_Indexed8);
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

} // namespace tarvelo
