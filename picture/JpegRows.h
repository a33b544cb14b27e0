// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JpegDecompressor.h"

#include <cstdint>
#include <functional>

namespace tarvelo {

// How decoded colour pixels are laid out in memory: blue, green, red, with a
// fourth byte of 255 for Bgrx (the layout of QImage's RGB32 on the
// little-endian machines we build for). Greyscale files always give one byte
// a pixel.
enum class ColourLayout { Bgr, Bgrx };

// What the rows of a decode hold.
enum class RowFormat { Grey, Colour, Cmyk };

// Chooses the library's output for the file whose header was read: grey for
// greyscale, the layout for colour, and for four-component files (CMYK,
// YCCK), which the library cannot turn into colour itself, CMYK that
// readRows converts. Before startDecompress.
RowFormat chooseRowFormat(jpeg_decompress_struct& info, ColourLayout layout);

// Reads every row of a started decode, top to bottom, into rowAt(y), in the
// layout chosen; four-component rows pass through a small buffer on the
// way, being converted. rowsDone grows as rows arrive, so an error part-way
// (thrown as EJPEG) leaves it at what was read. Stops early only if the
// library gives no row, which a source that never suspends does not do.
void readRows(JpegDecompressor& decompressor, RowFormat format, ColourLayout layout,
              const std::function<std::uint8_t*(int y)>& rowAt, int& rowsDone);

} // namespace tarvelo
