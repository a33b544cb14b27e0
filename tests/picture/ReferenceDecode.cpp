// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReferenceDecode.h"

#include <cstdio>
#include <jpeglib.h>

namespace tarvelo::fixtures {

void startPlainDecompress(jpeg_decompress_struct& info, jpeg_error_mgr& error,
                          const std::vector<std::uint8_t>& bytes) {
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.dct_method = JDCT_FLOAT;
    info.do_block_smoothing = TRUE;
    info.do_fancy_upsampling = TRUE;
}

ReferenceImage referenceDecode(const std::vector<std::uint8_t>& bytes) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    startPlainDecompress(info, error, bytes);
    if (info.jpeg_color_space == JCS_GRAYSCALE) {
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = 236;
        info.dither_mode = JDITHER_FS;
    } else {
        info.out_color_space = JCS_EXT_BGR;
    }
    jpeg_start_decompress(&info);
    ReferenceImage image;
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    image.components = info.output_components;
    const auto rowBytes = static_cast<std::size_t>(image.width * image.components);
    image.pixels.resize(rowBytes * static_cast<std::size_t>(image.height));
    if (info.quantize_colors) {
        image.greyPalette.assign(info.colormap[0], info.colormap[0] + info.actual_number_of_colors);
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.pixels.data() + rowBytes * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

} // namespace tarvelo::fixtures
