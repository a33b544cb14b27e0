// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PpmWriter.h"

#include <array>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvelo {

namespace {

std::array<std::uint8_t, 3> rgbAt(const Raster& raster, int x, int y) {
    const std::uint8_t* in = raster.row(y);
    if (raster.bitsPerPixel == 24) {
        const std::uint8_t* px = in + 3 * static_cast<std::size_t>(x);
        return {px[2], px[1], px[0]};
    }
    const std::uint8_t index = in[x];
    return index < raster.palette.size() ? raster.palette[index] : std::array<std::uint8_t, 3>{};
}

} // namespace

void writePpm(const Raster& raster, Orientation orientation, const std::filesystem::path& path) {
    const bool turned = swapsSides(orientation);
    const int width = turned ? raster.height : raster.width;
    const int height = turned ? raster.width : raster.height;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "P6\n" << width << ' ' << height << "\n255\n";
    std::vector<char> rgb(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const StoredPixel at = storedPixel(orientation, x, y, width, height);
            const auto px = rgbAt(raster, at.x, at.y);
            for (std::size_t c = 0; c < 3; ++c)
                rgb[3 * static_cast<std::size_t>(x) + c] = static_cast<char>(px[c]);
        }
        out.write(rgb.data(), static_cast<std::streamsize>(rgb.size()));
    }
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace tarvelo
