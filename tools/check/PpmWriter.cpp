// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PpmWriter.h"

#include "AtomicFile.h"
#include "Utf8Path.h"

#include <array>
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
    const std::string header =
        "P6\n" + std::to_string(width) + ' ' + std::to_string(height) + "\n255\n";
    std::vector<std::uint8_t> ppm(header.begin(), header.end());
    ppm.reserve(ppm.size() +
                static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const StoredPixel at = storedPixel(orientation, x, y, width, height);
            const auto px = rgbAt(raster, at.x, at.y);
            ppm.insert(ppm.end(), px.begin(), px.end());
        }
    }
    const std::string file = utf8FromPath(path);
    if (const auto error = writeFileAtomically(file, ppm)) {
        throw std::runtime_error(writeErrorText(file, *error));
    }
}

} // namespace tarvelo
