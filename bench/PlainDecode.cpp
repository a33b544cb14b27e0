// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlainDecode.h"

#include "ReferenceDecode.h"

#include <cstdio>
#include <jpeglib.h>

namespace tarvelo::bench {

namespace {

// The bench's own files are known good.
struct Decompressor {
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};

    Decompressor(const std::vector<std::uint8_t>& jpeg, unsigned int scaleDenominator) {
        fixtures::startPlainDecompress(info, error, jpeg);
        info.out_color_space = JCS_EXT_BGR;
        info.scale_num = 1;
        info.scale_denom = scaleDenominator;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

} // namespace

PlainDecode::PlainDecode(const std::vector<std::uint8_t>& jpeg, unsigned int scaleDenominator)
    : jpeg_(jpeg), scaleDenominator_(scaleDenominator) {
    Decompressor decompressor(jpeg_, scaleDenominator_);
    jpeg_calc_output_dimensions(&decompressor.info);
    stride_ = (decompressor.info.output_width * 3u + 3u) & ~std::size_t{3};
    // Written once here, so every page is mapped before anything is timed.
    pixels_.assign(stride_ * decompressor.info.output_height, 0);
}

void PlainDecode::run() {
    Decompressor decompressor(jpeg_, scaleDenominator_);
    auto& info = decompressor.info;
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[16];
        JDIMENSION count = 0;
        for (; count < 16 && info.output_scanline + count < info.output_height; ++count) {
            rows[count] = pixels_.data() + stride_ * (info.output_scanline + count);
        }
        jpeg_read_scanlines(&info, rows, count);
    }
    jpeg_finish_decompress(&info);
}

} // namespace tarvelo::bench
