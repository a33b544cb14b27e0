// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegFixtures.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
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
    info.image_width = static_cast<JDIMENSION>(recipe.width);
    info.image_height = static_cast<JDIMENSION>(recipe.height);
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
    if (recipe.colour == Colour::Ycck)
        jpeg_set_colorspace(&info, JCS_YCCK);
    if (recipe.colour == Colour::PlainCmyk)
        info.write_Adobe_marker = FALSE;
    jpeg_set_quality(&info, recipe.quality, TRUE);
    if (recipe.progressive)
        jpeg_simple_progression(&info);
    info.arith_code = recipe.arithmetic ? TRUE : FALSE;
    info.restart_interval = static_cast<unsigned>(recipe.restartInterval);
    jpeg_start_compress(&info, TRUE);

    std::vector<JSAMPLE> row(static_cast<std::size_t>(recipe.width * components));
    for (int y = 0; y < recipe.height; ++y) {
        for (int x = 0; x < recipe.width; ++x) {
            const auto rgb = patternPixel(recipe, x, y);
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
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code && n-- == 0)
            return i;
    return std::string::npos;
}

void patchFrameSize(Bytes& jpeg, int width, int height) {
    std::size_t at = std::string::npos;
    for (std::uint8_t code : {std::uint8_t{0xC0}, std::uint8_t{0xC1}, std::uint8_t{0xC2},
                              std::uint8_t{0xC9}, std::uint8_t{0xCA}})
        if (at == std::string::npos)
            at = findMarker(jpeg, code);
    if (at == std::string::npos)
        throw std::runtime_error("no frame header");
    jpeg[at + 5] = static_cast<std::uint8_t>(height >> 8);
    jpeg[at + 6] = static_cast<std::uint8_t>(height & 0xFF);
    jpeg[at + 7] = static_cast<std::uint8_t>(width >> 8);
    jpeg[at + 8] = static_cast<std::uint8_t>(width & 0xFF);
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace tarvelo::fixtures
