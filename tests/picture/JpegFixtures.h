// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tarvelo::fixtures {

// JPEG files made in-process with libjpeg-turbo's compressor, so tests,
// fuzz seeds and the benchmark need no files from outside the repository.

enum class Colour { Rgb, Grey, AdobeCmyk, PlainCmyk, Ycck };

// The byte order of an Exif marker's TIFF data: "II" or "MM".
enum class ByteOrder { Little, Big };

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
    // The Exif orientation (1 to 8) written in an APP1 marker, as a phone
    // writes it (no JFIF marker); 0 writes none. width, height and the pattern
    // are the picture as it is viewed: the file stores the pixels so that
    // turning them as the orientation says shows the pattern, on its side
    // (height x width) for 5 to 8.
    int orientation = 0;
    ByteOrder exifByteOrder = ByteOrder::Little;
    // False lays the pixels out for the orientation but writes no marker, as
    // for a photograph whose tag was lost.
    bool exifMarker = true;
};

using Bytes = std::vector<std::uint8_t>;

// The colour (red, green, blue) that recipe's pattern has at (x, y).
std::array<std::uint8_t, 3> patternPixel(const JpegRecipe& recipe, int x, int y);

Bytes makeJpeg(const JpegRecipe& recipe);

// An APP1 payload from "Exif\0\0" on: a TIFF header and one directory of
// three entries (Make, Orientation, XResolution) whose orientation value is
// `orientation`, any 16-bit number.
Bytes exifPayload(int orientation, ByteOrder order);

// Byte offsets into exifPayload's result, for damaging it on purpose.
struct ExifLayout {
    static constexpr std::size_t tiff = 6;                     // "II" or "MM"
    static constexpr std::size_t directoryOffset = tiff + 4;   // 32 bits
    static constexpr std::size_t entryCount = tiff + 8;        // 16 bits
    static constexpr std::size_t orientationEntry = tiff + 22; // tag, type, count, value
    static constexpr std::size_t size = tiff + 65;
};

// jpeg with an APP1 marker holding payload right after its start-of-image marker.
Bytes withApp1(const Bytes& jpeg, const Bytes& payload);

// Where the stored pixel (x, y) of a file of storedWidth x storedHeight
// appears when it is viewed as orientation says. Written from the tag's
// definition (where the stored row 0 and column 0 lie in the view), not from
// the picture code's mapping, which tests check against it.
std::pair<int, int> viewedPosition(int orientation, int x, int y, int storedWidth,
                                   int storedHeight);

// A stream of quantisation and Huffman tables with no image.
Bytes makeTablesOnly();

// Overwrites the width and height in the frame header (SOF marker).
void patchFrameSize(Bytes& jpeg, int width, int height);

// Offset of the n-th (0-based) occurrence of marker 0xFF code, or npos.
std::size_t findMarker(const Bytes& jpeg, std::uint8_t code, int n = 0);

// How many times marker 0xFF code occurs (scans: 0xDA).
int countMarkers(const Bytes& jpeg, std::uint8_t code);

// A progressive jpeg whose smallest scan (a few bytes, yet a full pass over
// a component of the picture) is repeated until the file has `scans` scans in
// all, as in files built to keep a decoder busy.
Bytes withScans(const Bytes& jpeg, int scans);

void writeFile(const std::filesystem::path& path, const Bytes& bytes);

} // namespace tarvelo::fixtures
