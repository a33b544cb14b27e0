// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegPicture.h"

#include "JpegDecompressor.h"
#include "PictureErrors.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

namespace tarvelo {

namespace {

// Greyscale photographs are shown in this many grey levels, dithered.
constexpr int greyLevels = 236;
constexpr int rowsPerRead = 16;

enum class Output { Bgr, Grey, Cmyk };

Output chooseOutput(jpeg_decompress_struct& info) {
    info.scale_num = 1;
    info.scale_denom = 1;
    info.do_block_smoothing = TRUE;
    info.dct_method = JDCT_FLOAT;
    info.do_fancy_upsampling = TRUE;
    info.dither_mode = JDITHER_FS;
    info.two_pass_quantize = TRUE;
    info.buffered_image = FALSE;
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        info.out_color_space = JCS_GRAYSCALE;
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = greyLevels;
        return Output::Grey;
    case JCS_CMYK:
    case JCS_YCCK:
        // The library cannot turn four components into RGB itself.
        info.out_color_space = JCS_CMYK;
        return Output::Cmyk;
    default:
        info.out_color_space = JCS_EXT_BGR;
        return Output::Bgr;
    }
}

void allocate(Raster& raster, RasterMemory spare, int width, int height, int bitsPerPixel) {
    const auto rowBytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel / 8);
    raster.stride = (rowBytes + 3) & ~std::size_t{3};
    const std::size_t bytes = raster.stride * static_cast<std::size_t>(height);
    if (spare.suits(bytes)) {
        raster.pixels = std::move(spare);
    } else {
        spare = RasterMemory(); // freed first: one raster's memory at a time
        try {
            raster.pixels = RasterMemory::allocate(bytes);
        } catch (const std::bad_alloc&) {
            throw EPictureTooLarge(width, height);
        }
    }
    raster.width = width;
    raster.height = height;
    raster.bitsPerPixel = bitsPerPixel;
}

// Adobe writes CMYK inverted (0 = full ink) and marks such files with its
// APP14 marker; files without it carry plain ink values.
void cmykToBgr(const std::uint8_t* cmyk, std::uint8_t* bgr, int width, bool inverted) {
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        bgr[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
        bgr[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        bgr[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
    }
}

} // namespace

JpegPicture JpegPicture::fromBytes(std::vector<std::uint8_t> bytes) {
    JpegPicture picture(std::move(bytes));
    if (picture.bytes_.empty())
        return picture;
    JpegDecompressor decompressor(picture.bytes_);
    decompressor.readHeader();
    const auto& info = decompressor.info();
    picture.width_ = static_cast<int>(info.image_width);
    picture.height_ = static_cast<int>(info.image_height);
    picture.grayscale_ = info.jpeg_color_space == JCS_GRAYSCALE;
    picture.progressive_ = decompressor.hasMultipleScans();
    return picture;
}

int JpegPicture::width() const {
    return raster_ ? raster_->width : width_;
}
int JpegPicture::height() const {
    return raster_ ? raster_->height : height_;
}

void JpegPicture::decodeRaster(RasterMemory spare, const DecodeLimits& limits) {
    if (raster_)
        return;
    Raster& raster = raster_.emplace();
    try {
        decodeInto(raster, std::move(spare), limits);
    } catch (...) {
        decodeFailed_ = true;
        for (int y = raster.rowsDecoded; y < raster.height; ++y)
            std::memset(raster.row(y), 0, raster.stride);
        throw;
    }
}

RasterMemory JpegPicture::releaseRasterMemory() && {
    return raster_ ? std::move(raster_->pixels) : RasterMemory();
}

void JpegPicture::decodeInto(Raster& raster, RasterMemory spare, const DecodeLimits& limits) const {
    JpegDecompressor decompressor(bytes_);
    decompressor.readHeader();
    auto& info = decompressor.info();
    const Output output = chooseOutput(info);
    decompressor.calcOutputDimensions();
    const long long outWidth = info.output_width;
    const long long outHeight = info.output_height;
    if (outWidth * outHeight > limits.maxPixels)
        throw EPictureTooLarge(outWidth, outHeight, limits.maxPixels);

    decompressor.startDecompress();
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    allocate(raster, std::move(spare), width, height, output == Output::Grey ? 8 : 24);
    if (info.quantize_colors && info.colormap) {
        raster.palette.resize(static_cast<std::size_t>(info.actual_number_of_colors));
        for (std::size_t i = 0; i < raster.palette.size(); ++i) {
            const JSAMPLE v = info.colormap[0][i];
            raster.palette[i] = {v, v, v};
        }
    }

    std::vector<std::uint8_t> cmykRows;
    if (output == Output::Cmyk)
        cmykRows.resize(static_cast<std::size_t>(width) * 4 * rowsPerRead);
    const bool inverted = info.saw_Adobe_marker != FALSE;
    std::array<JSAMPROW, rowsPerRead> rows{};
    while (raster.rowsDecoded < height) {
        const int wanted = std::min(rowsPerRead, height - raster.rowsDecoded);
        for (int i = 0; i < wanted; ++i)
            rows[static_cast<std::size_t>(i)] =
                output == Output::Cmyk ? cmykRows.data() + static_cast<std::size_t>(i) * 4 *
                                                               static_cast<std::size_t>(width)
                                       : raster.row(raster.rowsDecoded + i);
        const int got = decompressor.readScanlines(rows.data(), wanted);
        if (output == Output::Cmyk)
            for (int i = 0; i < got; ++i)
                cmykToBgr(rows[static_cast<std::size_t>(i)], raster.row(raster.rowsDecoded + i),
                          width, inverted);
        raster.rowsDecoded += got;
        if (got == 0)
            break; // cannot happen with a source that never suspends
    }
    decompressor.finishDecompress();
}

} // namespace tarvelo
