// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegRows.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tarvelo {

namespace {

constexpr int rowsPerRead = 16;

std::size_t bytesPerPixel(ColourLayout layout) {
    return layout == ColourLayout::Bgrx ? 4 : 3;
}

// Adobe writes CMYK inverted (0 = full ink) and marks such files with its
// APP14 marker; files without it carry plain ink values.
void cmykToColour(const std::uint8_t* cmyk, std::uint8_t* out, int width, bool inverted,
                  ColourLayout layout) {
    const std::size_t step = bytesPerPixel(layout);
    for (int x = 0; x < width; ++x, cmyk += 4, out += step) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
        out[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        out[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
        if (layout == ColourLayout::Bgrx) {
            out[3] = 255;
        }
    }
}

} // namespace

RowFormat chooseRowFormat(jpeg_decompress_struct& info, ColourLayout layout) {
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        info.out_color_space = JCS_GRAYSCALE;
        return RowFormat::Grey;
    case JCS_CMYK:
    case JCS_YCCK:
        info.out_color_space = JCS_CMYK;
        return RowFormat::Cmyk;
    default:
        info.out_color_space = layout == ColourLayout::Bgrx ? JCS_EXT_BGRX : JCS_EXT_BGR;
        return RowFormat::Colour;
    }
}

void readRows(JpegDecompressor& decompressor, RowFormat format, ColourLayout layout,
              const std::function<std::uint8_t*(int y)>& rowAt, int& rowsDone) {
    const auto& info = decompressor.info();
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    const bool cmyk = format == RowFormat::Cmyk;
    const auto cmykRowBytes = static_cast<std::size_t>(width) * 4;
    std::vector<std::uint8_t> cmykRows(cmyk ? cmykRowBytes * rowsPerRead : 0);
    const bool inverted = info.saw_Adobe_marker != FALSE;
    std::array<JSAMPROW, rowsPerRead> rows{};
    while (rowsDone < height) {
        const int wanted = std::min(rowsPerRead, height - rowsDone);
        for (int i = 0; i < wanted; ++i) {
            rows[static_cast<std::size_t>(i)] =
                cmyk ? cmykRows.data() + static_cast<std::size_t>(i) * cmykRowBytes
                     : rowAt(rowsDone + i);
        }
        const int got = decompressor.readScanlines(rows.data(), wanted);
        if (cmyk) {
            for (int i = 0; i < got; ++i) {
                cmykToColour(rows[static_cast<std::size_t>(i)], rowAt(rowsDone + i), width,
                             inverted, layout);
            }
        }
        rowsDone += got;
        if (got == 0) {
            break;
        }
    }
}

} // namespace tarvelo
