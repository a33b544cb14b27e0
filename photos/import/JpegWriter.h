// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

namespace tarvelo {

// image as a baseline JPEG (sequential, Huffman-coded, 8-bit, YCbCr 4:2:0)
// with a JFIF header and no other marker: nothing of the source's metadata
// can come along. Throws ImportFailure when the library fails.
std::vector<std::uint8_t> encodeBaselineJpeg(const QImage& image, int quality = 90);

} // namespace tarvelo
