// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PpmWriter.h"

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvelo {

void writePpm(const Raster& raster, const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "P6\n" << raster.width << ' ' << raster.height << "\n255\n";
    std::vector<char> rgb(static_cast<std::size_t>(raster.width) * 3);
    for (int y = 0; y < raster.height; ++y) {
        const std::uint8_t* in = raster.row(y);
        for (std::size_t x = 0; x < static_cast<std::size_t>(raster.width); ++x) {
            std::array<std::uint8_t, 3> px{};
            if (raster.bitsPerPixel == 24)
                px = {in[3 * x + 2], in[3 * x + 1], in[3 * x]};
            else if (in[x] < raster.palette.size())
                px = raster.palette[in[x]];
            for (std::size_t c = 0; c < 3; ++c)
                rgb[3 * x + c] = static_cast<char>(px[c]);
        }
        out.write(rgb.data(), static_cast<std::streamsize>(rgb.size()));
    }
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace tarvelo
