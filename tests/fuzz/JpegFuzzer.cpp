// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: load and decode arbitrary bytes as the picture box does,
// and read them as an APP1 payload with the Exif orientation reader.
#include "ExifOrientation.h"
#include "JpegPicture.h"
#include "PictureErrors.h"
#include "Placement.h"

#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

// Small enough that a forged header cannot push the process past libFuzzer's
// memory limit; the product allows 200 megapixels.
constexpr tarvelo::DecodeLimits fuzzLimits{4'000'000};

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool valid(tarvelo::Orientation orientation) {
    const int value = static_cast<int>(orientation);
    return value >= 1 && value <= 8;
}

// Every corner of the upright picture lies inside the stored raster.
void checkTurn(const tarvelo::JpegPicture& picture, const tarvelo::Raster& raster) {
    if (raster.empty()) {
        return;
    }
    const int w = picture.uprightWidth(), h = picture.uprightHeight();
    check(w * h == raster.width * raster.height);
    for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) {
        const auto at = tarvelo::storedPixel(picture.orientation(), x, y, w, h);
        check(at.x >= 0 && at.x < raster.width && at.y >= 0 && at.y < raster.height);
    }
}

void exercise(tarvelo::JpegPicture& picture) {
    check(valid(picture.orientation()));
    try {
        picture.decodeRaster(fuzzLimits);
    } catch (const tarvelo::PictureError&) {
        check(picture.decodeFailed());
    }
    picture.decodeRaster(fuzzLimits); // never decodes twice, never throws again
    const tarvelo::Raster* raster = picture.raster();
    check(raster != nullptr);
    // Touch every byte so that out-of-bounds rows show up under ASan.
    unsigned sum = 0;
    for (int y = 0; y < raster->height; ++y) {
        for (std::size_t x = 0; x < raster->stride; ++x) {
            sum += raster->row(y)[x];
        }
    }
    check(raster->rowsDecoded <= raster->height);
    (void)sum;
    checkTurn(picture, *raster);
    const auto rect =
        tarvelo::placementRect(picture.uprightWidth(), picture.uprightHeight(), 641, 233);
    check(rect.left >= 0 && rect.top >= 0 && rect.right <= 641 && rect.bottom <= 233);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    check(valid(tarvelo::exifOrientation({data, size})));
    try {
        auto picture =
            tarvelo::JpegPicture::fromBytes(std::vector<std::uint8_t>(data, data + size));
        exercise(picture);
    } catch (const tarvelo::PictureError&) {
        // A header the library refuses: the load fails cleanly.
    }
    return 0;
}
