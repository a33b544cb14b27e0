// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarvelo::fixtures {

// JPEG files made in-process with libjpeg-turbo's compressor, so tests,
// fuzz seeds and the benchmark need no files from outside the repository.

enum class Colour { Rgb, Grey, AdobeCmyk, PlainCmyk, Ycck };

enum class Pattern {
    Quadrants, // four flat colours, one per quarter, plus a faint texture
    Photo,     // smooth gradients with fine detail, compresses like a photograph
};

struct JpegRecipe {
    int width = 64;
    int height = 48;
    Colour colour = Colour::Rgb;
    Pattern pattern = Pattern::Quadrants;
    bool progressive = false;
    bool arithmetic = false;
    int restartInterval = 0; // in MCUs; 0 = none
    int quality = 90;
};

using Bytes = std::vector<std::uint8_t>;

// The colour (red, green, blue) that recipe's pattern has at (x, y).
std::array<std::uint8_t, 3> patternPixel(const JpegRecipe& recipe, int x, int y);

Bytes makeJpeg(const JpegRecipe& recipe);

// A stream of quantisation and Huffman tables with no image.
Bytes makeTablesOnly();

// Overwrites the width and height in the frame header (SOF marker).
void patchFrameSize(Bytes& jpeg, int width, int height);

// Offset of the n-th (0-based) occurrence of marker 0xFF code, or npos.
std::size_t findMarker(const Bytes& jpeg, std::uint8_t code, int n = 0);

void writeFile(const std::filesystem::path& path, const Bytes& bytes);

} // namespace tarvelo::fixtures
