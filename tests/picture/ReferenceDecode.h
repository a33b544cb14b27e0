// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

struct jpeg_decompress_struct;
struct jpeg_error_mgr;

namespace tarvelo::fixtures {

// libjpeg started on bytes, header read, with the settings the picture box
// promises: float IDCT, block smoothing, fancy upsampling. The library's own
// error handler (print and exit) is enough for files known good.
void startPlainDecompress(jpeg_decompress_struct& info, jpeg_error_mgr& error,
                          const std::vector<std::uint8_t>& bytes);

// libjpeg-turbo's own output for bytes with plain library calls and the
// settings the picture box promises: float IDCT, block smoothing, fancy
// upsampling; colour as blue-green-red, greyscale quantised to 236 levels
// (Floyd-Steinberg). Rows are tightly packed.
struct ReferenceImage {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> greyPalette; // quantised greyscale only
};

ReferenceImage referenceDecode(const std::vector<std::uint8_t>& bytes);

} // namespace tarvelo::fixtures
