// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegPicture.h"

#include "JpegDecompressor.h"
#include "JpegRows.h"
#include "PictureErrors.h"

#include <cstring>
#include <new>

namespace tarvelo {

namespace {

// Greyscale photographs are shown in this many grey levels, dithered.
constexpr int greyLevels = 236;

// The parameters every decode uses, whatever the library's own defaults:
// float inverse DCT, smoothing and fancy upsampling for quality, and rows in
// the raster's own blue-green-red order so that they need no conversion.
RowFormat setDecodeParameters(jpeg_decompress_struct& info) {
    info.scale_num = 1;
    info.scale_denom = 1;
    info.do_block_smoothing = TRUE;
    info.dct_method = JDCT_FLOAT;
    info.do_fancy_upsampling = TRUE;
    info.dither_mode = JDITHER_FS;
    info.two_pass_quantize = TRUE;
    info.buffered_image = FALSE;
    const RowFormat format = chooseRowFormat(info, ColourLayout::Bgr);
    if (format == RowFormat::Grey) {
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = greyLevels;
    }
    return format;
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

// The quantiser's grey levels, which the raster's 8-bit pixels index.
void copyGreyPalette(const jpeg_decompress_struct& info, Raster& raster) {
    if (!info.quantize_colors || !info.colormap) {
        return;
    }
    raster.palette.resize(static_cast<std::size_t>(info.actual_number_of_colors));
    for (std::size_t i = 0; i < raster.palette.size(); ++i) {
        const JSAMPLE v = info.colormap[0][i];
        raster.palette[i] = {v, v, v};
    }
}

} // namespace

JpegPicture JpegPicture::fromBytes(std::vector<std::uint8_t> bytes) {
    JpegPicture picture(std::move(bytes));
    if (picture.bytes_.empty()) {
        return picture;
    }
    // 1. A decompressor on the bytes in memory.
    JpegDecompressor decompressor(picture.bytes_);
    // 2. Keep the APP1 markers, which the library otherwise skips: the Exif
    //    orientation decides the placement, which must not wait for a decode.
    decompressor.saveMarkers(JPEG_APP0 + 1);
    // 3. Read the header; an image is required.
    decompressor.readHeader();
    // 4. Note what loading promises without pixels.
    const auto& info = decompressor.info();
    picture.width_ = static_cast<int>(info.image_width);
    picture.height_ = static_cast<int>(info.image_height);
    picture.grayscale_ = info.jpeg_color_space == JCS_GRAYSCALE;
    picture.progressive_ = decompressor.hasMultipleScans();
    picture.orientation_ = decompressor.orientation();
    return picture;
}

int JpegPicture::width() const {
    return raster_ ? raster_->width : width_;
}
int JpegPicture::height() const {
    return raster_ ? raster_->height : height_;
}

void JpegPicture::decodeRaster(RasterMemory spare, const DecodeLimits& limits) {
    if (raster_) {
        return;
    }
    Raster& raster = raster_.emplace();
    try {
        decodeInto(raster, std::move(spare), limits);
    } catch (...) {
        decodeFailed_ = true;
        for (int y = raster.rowsDecoded; y < raster.height; ++y) {
            std::memset(raster.row(y), 0, raster.stride);
        }
        throw;
    }
}

RasterMemory JpegPicture::releaseRasterMemory() && {
    return raster_ ? std::move(raster_->pixels) : RasterMemory();
}

// The steps of libjpeg's own decoding sequence. The pixels stay as stored;
// turning them for an Exif orientation happens when they are drawn.
void JpegPicture::decodeInto(Raster& raster, RasterMemory spare, const DecodeLimits& limits) const {
    // 1. A fresh decompressor on the bytes and the header read again: the
    //    load's decompressor is gone, so that a loaded picture holds no
    //    library state. APP1 is skipped here; the load has read it.
    JpegDecompressor decompressor(bytes_);
    decompressor.readHeader();
    auto& info = decompressor.info();

    // 2. Decoding parameters.
    const RowFormat format = setDecodeParameters(info);

    // 3. The output size, checked against the limit before any memory is
    //    taken, so that a forged header cannot exhaust it.
    decompressor.calcOutputDimensions();
    const long long outWidth = info.output_width;
    const long long outHeight = info.output_height;
    if (outWidth * outHeight > limits.maxPixels) {
        throw EPictureTooLarge(outWidth, outHeight, limits.maxPixels);
    }

    // 4. Start decompression: a progressive file is absorbed here, whole.
    decompressor.startDecompress();

    // 5. The raster, in the earlier picture's memory where it fits, and the
    //    greyscale palette, which exists only once decompression has started.
    allocate(raster, std::move(spare), static_cast<int>(info.output_width),
             static_cast<int>(info.output_height), format == RowFormat::Grey ? 8 : 24);
    copyGreyPalette(info, raster);

    // 6. Every row, top to bottom.
    readRows(
        decompressor, format, ColourLayout::Bgr, [&raster](int y) { return raster.row(y); },
        raster.rowsDecoded);

    // 7. Finish, which reads to the end-of-image marker; the decompressor is
    //    released as it goes out of scope, also when a step above throws.
    decompressor.finishDecompress();
}

} // namespace tarvelo
