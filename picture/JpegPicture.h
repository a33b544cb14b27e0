// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExifOrientation.h"
#include "Raster.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tarvelo {

// Limits on what a decode may allocate.
struct DecodeLimits {
    // Largest raster, in pixels, that decodeRaster will allocate.
    long long maxPixels = 200'000'000;
};

// A JPEG photograph: the file's bytes and its header facts, and after the
// first decode its full-size raster. The raster holds the pixels as stored;
// orientation() says how they are turned for viewing, which is left to
// whoever draws them, so that only the drawn size is ever turned.
class JpegPicture {
public:
    // Parses only the header, the Exif orientation included; an empty buffer
    // gives an empty picture (0 x 0) whose decode fails with the library's
    // empty-input error. Throws EJPEG.
    static JpegPicture fromBytes(std::vector<std::uint8_t> bytes);

    // The size as stored, which is the raster's.
    int width() const;
    int height() const;
    // From the file's Exif marker; Upright when it has none or a damaged one.
    Orientation orientation() const { return orientation_; }
    // The size as viewed: width and height trade places for orientations 5 to 8.
    int uprightWidth() const { return swapsSides(orientation_) ? height() : width(); }
    int uprightHeight() const { return swapsSides(orientation_) ? width() : height(); }
    bool grayscale() const { return grayscale_; }
    bool progressive() const { return progressive_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    // Decodes the whole picture at full size, once: after the first call,
    // successful or not, later calls do nothing. The raster exists from the
    // start of the first call and keeps whatever was decoded before an error;
    // rows that were not decoded are black. Throws EJPEG or EPictureTooLarge.
    void decodeRaster(const DecodeLimits& limits = {}) { decodeRaster(RasterMemory(), limits); }
    // The same, reusing `spare` (an earlier raster's memory) where it suits
    // this raster's size; otherwise it is freed before new memory is taken.
    void decodeRaster(RasterMemory spare, const DecodeLimits& limits = {});

    // The raster's memory, for the next picture's decode; this picture is
    // being discarded. Empty when it was never decoded.
    RasterMemory releaseRasterMemory() &&;

    // Null before the first decodeRaster.
    const Raster* raster() const { return raster_ ? &*raster_ : nullptr; }
    bool decodeFailed() const { return decodeFailed_; }

private:
    explicit JpegPicture(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    void decodeInto(Raster& raster, RasterMemory spare, const DecodeLimits& limits) const;

    std::vector<std::uint8_t> bytes_;
    int width_ = 0;
    int height_ = 0;
    bool grayscale_ = false;
    bool progressive_ = false;
    Orientation orientation_ = Orientation::Upright;
    std::optional<Raster> raster_;
    bool decodeFailed_ = false;
};

} // namespace tarvelo
