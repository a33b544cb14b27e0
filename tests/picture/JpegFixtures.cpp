// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegFixtures.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <jpeglib.h>
#include <stdexcept>

namespace tarvelo::fixtures {

namespace {

constexpr std::array<std::array<std::uint8_t, 3>, 4> quadrantColours{{
    {200, 30, 30},
    {30, 200, 30},
    {30, 30, 200},
    {220, 220, 40},
}};

std::uint8_t clamp(int v) {
    return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// A small deterministic hash for texture, so fixtures are the same every run.
int noise(int x, int y) {
    auto h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<int>((h ^ (h >> 16)) & 0xFFu);
}

struct Compressor {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;

    Compressor() {
        info.err = jpeg_std_error(&error);
        jpeg_create_compress(&info);
        jpeg_mem_dest(&info, &buffer, &size);
    }
    ~Compressor() {
        jpeg_destroy_compress(&info);
        std::free(buffer);
    }
    Bytes bytes() const { return Bytes(buffer, buffer + size); }
};

// One at a time: GCC 12 at -O3 misreads a range insert into a short vector as
// a write out of bounds.
void append(Bytes& out, std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) {
        out.push_back(byte);
    }
}

// Appends value to out in the payload's byte order.
void put(Bytes& out, std::uint32_t value, int width, ByteOrder order) {
    for (int i = 0; i < width; ++i) {
        const int shift = 8 * (order == ByteOrder::Big ? width - 1 - i : i);
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

} // namespace

std::array<std::uint8_t, 3> patternPixel(const JpegRecipe& recipe, int x, int y) {
    if (recipe.pattern == Pattern::Photo) {
        const int n = noise(x, y) / 8 - 16;
        return {clamp(x * 255 / std::max(1, recipe.width) + n),
                clamp(y * 255 / std::max(1, recipe.height) + n),
                clamp(128 + ((x / 7 + y / 5) % 64) + n)};
    }
    const int quadrant = (x >= recipe.width / 2 ? 1 : 0) + (y >= recipe.height / 2 ? 2 : 0);
    const auto base = quadrantColours[static_cast<std::size_t>(quadrant)];
    const int n = noise(x, y) / 64 - 2;
    return {clamp(base[0] + n), clamp(base[1] + n), clamp(base[2] + n)};
}

Bytes makeJpeg(const JpegRecipe& recipe) {
    Compressor c;
    auto& info = c.info;
    const bool onItsSide = recipe.orientation >= 5;
    const int storedWidth = onItsSide ? recipe.height : recipe.width;
    const int storedHeight = onItsSide ? recipe.width : recipe.height;
    info.image_width = static_cast<JDIMENSION>(storedWidth);
    info.image_height = static_cast<JDIMENSION>(storedHeight);
    int components = 3;
    switch (recipe.colour) {
    case Colour::Rgb:
        info.in_color_space = JCS_RGB;
        break;
    case Colour::Grey:
        info.in_color_space = JCS_GRAYSCALE;
        components = 1;
        break;
    case Colour::AdobeCmyk:
    case Colour::PlainCmyk:
    case Colour::Ycck:
        info.in_color_space = JCS_CMYK;
        components = 4;
        break;
    }
    info.input_components = components;
    jpeg_set_defaults(&info);
    if (recipe.colour == Colour::Ycck) {
        jpeg_set_colorspace(&info, JCS_YCCK);
    }
    if (recipe.colour == Colour::PlainCmyk) {
        info.write_Adobe_marker = FALSE;
    }
    jpeg_set_quality(&info, recipe.quality, TRUE);
    if (recipe.progressive) {
        jpeg_simple_progression(&info);
    }
    info.arith_code = recipe.arithmetic ? TRUE : FALSE;
    info.restart_interval = static_cast<unsigned>(recipe.restartInterval);
    const bool exif = recipe.orientation != 0 && recipe.exifMarker;
    if (exif) {
        info.write_JFIF_header = FALSE;
    }
    jpeg_start_compress(&info, TRUE);
    if (exif) {
        const Bytes payload = exifPayload(recipe.orientation, recipe.exifByteOrder);
        jpeg_write_marker(&info, JPEG_APP0 + 1, payload.data(),
                          static_cast<unsigned>(payload.size()));
    }

    std::vector<JSAMPLE> row(static_cast<std::size_t>(storedWidth * components));
    for (int y = 0; y < storedHeight; ++y) {
        for (int x = 0; x < storedWidth; ++x) {
            const auto [vx, vy] =
                recipe.orientation == 0
                    ? std::pair{x, y}
                    : viewedPosition(recipe.orientation, x, y, storedWidth, storedHeight);
            const auto rgb = patternPixel(recipe, vx, vy);
            JSAMPLE* out = row.data() + static_cast<std::size_t>(x * components);
            if (recipe.colour == Colour::Rgb) {
                out[0] = rgb[0];
                out[1] = rgb[1];
                out[2] = rgb[2];
            } else if (recipe.colour == Colour::Grey) {
                out[0] = static_cast<JSAMPLE>((rgb[0] * 299 + rgb[1] * 587 + rgb[2] * 114) / 1000);
            } else if (recipe.colour == Colour::PlainCmyk) {
                // Ink amounts: full ink = 255.
                out[0] = static_cast<JSAMPLE>(255 - rgb[0]);
                out[1] = static_cast<JSAMPLE>(255 - rgb[1]);
                out[2] = static_cast<JSAMPLE>(255 - rgb[2]);
                out[3] = 0;
            } else {
                // Adobe's inverted convention: full ink = 0.
                out[0] = rgb[0];
                out[1] = rgb[1];
                out[2] = rgb[2];
                out[3] = 255;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    return c.bytes();
}

Bytes exifPayload(int orientation, ByteOrder order) {
    Bytes out;
    out.reserve(ExifLayout::size);
    append(out, {'E', 'x', 'i', 'f', 0, 0});
    append(out, order == ByteOrder::Little ? std::initializer_list<std::uint8_t>{'I', 'I'}
                                           : std::initializer_list<std::uint8_t>{'M', 'M'});
    put(out, 42, 2, order);
    put(out, 8, 4, order); // the directory follows at once
    put(out, 3, 2, order);
    // Make: ASCII, 7 bytes, after the directory (at 50).
    put(out, 0x010F, 2, order);
    put(out, 2, 2, order);
    put(out, 7, 4, order);
    put(out, 50, 4, order);
    // Orientation: one SHORT, in the first two bytes of the value field.
    put(out, 0x0112, 2, order);
    put(out, 3, 2, order);
    put(out, 1, 4, order);
    put(out, static_cast<std::uint32_t>(orientation), 2, order);
    put(out, 0, 2, order);
    // XResolution: one RATIONAL, after the Make text (at 57).
    put(out, 0x011A, 2, order);
    put(out, 5, 2, order);
    put(out, 1, 4, order);
    put(out, 57, 4, order);
    put(out, 0, 4, order); // no next directory
    append(out, {'K', 'a', 'm', 'e', 'r', 'a', 0});
    put(out, 72, 4, order);
    put(out, 1, 4, order);
    return out;
}

Bytes withApp1(const Bytes& jpeg, const Bytes& payload) {
    if (jpeg.size() < 2 || payload.size() > 65533) {
        throw std::runtime_error("cannot add an APP1 marker");
    }
    const std::size_t length = payload.size() + 2;
    Bytes out;
    out.reserve(jpeg.size() + 2 + length);
    append(out, {jpeg[0], jpeg[1], 0xFF, 0xE1, static_cast<std::uint8_t>(length >> 8),
                 static_cast<std::uint8_t>(length & 0xFF)});
    for (std::uint8_t byte : payload) {
        out.push_back(byte);
    }
    for (std::size_t i = 2; i < jpeg.size(); ++i) {
        out.push_back(jpeg[i]);
    }
    return out;
}

std::pair<int, int> viewedPosition(int orientation, int x, int y, int storedWidth,
                                   int storedHeight) {
    // Orientation n puts the stored row 0 and column 0 here in the view:
    // 1 top, left; 2 top, right; 3 bottom, right; 4 bottom, left;
    // 5 left, top; 6 right, top; 7 right, bottom; 8 left, bottom.
    const int mirroredX = storedWidth - 1 - x;
    const int mirroredY = storedHeight - 1 - y;
    switch (orientation) {
    case 2:
        return {mirroredX, y};
    case 3:
        return {mirroredX, mirroredY};
    case 4:
        return {x, mirroredY};
    case 5: // rows become columns from the left, columns rows from the top
        return {y, x};
    case 6: // rows become columns from the right, columns rows from the top
        return {mirroredY, x};
    case 7:
        return {mirroredY, mirroredX};
    case 8:
        return {y, mirroredX};
    default:
        return {x, y};
    }
}

Bytes makeTablesOnly() {
    Compressor c;
    c.info.image_width = 8;
    c.info.image_height = 8;
    c.info.input_components = 3;
    c.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c.info);
    jpeg_write_tables(&c.info);
    return c.bytes();
}

std::size_t findMarker(const Bytes& jpeg, std::uint8_t code, int n) {
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code && n-- == 0) {
            return i;
        }
    }
    return std::string::npos;
}

void patchFrameSize(Bytes& jpeg, int width, int height) {
    std::size_t at = std::string::npos;
    for (std::uint8_t code : {std::uint8_t{0xC0}, std::uint8_t{0xC1}, std::uint8_t{0xC2},
                              std::uint8_t{0xC9}, std::uint8_t{0xCA}}) {
        if (at == std::string::npos) {
            at = findMarker(jpeg, code);
        }
    }
    if (at == std::string::npos) {
        throw std::runtime_error("no frame header");
    }
    jpeg[at + 5] = static_cast<std::uint8_t>(height >> 8);
    jpeg[at + 6] = static_cast<std::uint8_t>(height & 0xFF);
    jpeg[at + 7] = static_cast<std::uint8_t>(width >> 8);
    jpeg[at + 8] = static_cast<std::uint8_t>(width & 0xFF);
}

int countMarkers(const Bytes& jpeg, std::uint8_t code) {
    int count = 0;
    while (findMarker(jpeg, code, count) != std::string::npos) {
        ++count;
    }
    return count;
}

namespace {

// Where the scan whose start-of-scan marker is at `sos` ends: at the next
// marker that is neither a stuffed 0xFF nor a restart marker.
std::size_t scanEnd(const Bytes& jpeg, std::size_t sos) {
    std::size_t i = sos + 2 + (static_cast<std::size_t>(jpeg[sos + 2]) << 8 | jpeg[sos + 3]);
    for (; i + 1 < jpeg.size(); ++i) {
        const std::uint8_t next = jpeg[i + 1];
        if (jpeg[i] == 0xFF && next != 0x00 && (next < 0xD0 || next > 0xD7)) {
            return i;
        }
    }
    return jpeg.size();
}

} // namespace

Bytes withScans(const Bytes& jpeg, int scans) {
    const int have = countMarkers(jpeg, 0xDA);
    if (have == 0 || scans < have) {
        throw std::invalid_argument("withScans: no scans, or more than asked for");
    }
    // The smallest scan, repeated right after itself, where the tables it
    // was coded with are still in force.
    std::size_t start = 0, end = jpeg.size();
    for (int n = 0; n < have; ++n) {
        const std::size_t sos = findMarker(jpeg, 0xDA, n);
        const std::size_t stop = scanEnd(jpeg, sos);
        if (stop - sos < end - start) {
            start = sos;
            end = stop;
        }
    }
    const auto at = [&jpeg](std::size_t offset) {
        return jpeg.begin() + static_cast<std::ptrdiff_t>(offset);
    };
    Bytes out(jpeg.begin(), at(end));
    out.reserve(jpeg.size() + (end - start) * static_cast<std::size_t>(scans - have));
    for (int i = have; i < scans; ++i) {
        out.insert(out.end(), at(start), at(end));
    }
    out.insert(out.end(), at(end), jpeg.end());
    return out;
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace tarvelo::fixtures
