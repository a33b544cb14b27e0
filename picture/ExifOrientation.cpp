// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExifOrientation.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>

namespace tarvelo {

namespace {

// The payload is "Exif\0\0" and then a TIFF file: a byte-order mark ("II"
// little-endian, "MM" big-endian), 42, and the offset of the first image
// directory, whose 12-byte entries hold tag, type, count and value. Every
// read below is checked against the TIFF part's end, so a damaged or hostile
// marker yields nothing rather than a read past it.
class TiffReader {
public:
    explicit TiffReader(std::span<const std::uint8_t> tiff) : tiff_(tiff) {}

    bool readByteOrder() {
        if (tiff_.size() < 8) {
            return false;
        }
        if (tiff_[0] == 'I' && tiff_[1] == 'I') {
            bigEndian_ = false;
        } else if (tiff_[0] == 'M' && tiff_[1] == 'M') {
            bigEndian_ = true;
        } else {
            return false;
        }
        return u16(2) == std::optional<std::uint32_t>(42);
    }

    std::optional<std::uint32_t> u16(std::size_t offset) const { return read(offset, 2); }
    std::optional<std::uint32_t> u32(std::size_t offset) const { return read(offset, 4); }

private:
    std::optional<std::uint32_t> read(std::size_t offset, std::size_t width) const {
        if (offset > tiff_.size() || tiff_.size() - offset < width) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            const std::uint8_t byte = tiff_[offset + (bigEndian_ ? i : width - 1 - i)];
            value = (value << 8) | byte;
        }
        return value;
    }

    std::span<const std::uint8_t> tiff_;
    bool bigEndian_ = false;
};

constexpr std::array<std::uint8_t, 6> exifHeader{'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint32_t orientationTag = 0x0112;
constexpr std::uint32_t shortType = 3;
constexpr std::size_t entrySize = 12;

} // namespace

bool isExifPayload(std::span<const std::uint8_t> app1Payload) {
    return app1Payload.size() >= exifHeader.size() &&
           std::equal(exifHeader.begin(), exifHeader.end(), app1Payload.begin());
}

Orientation exifOrientation(std::span<const std::uint8_t> app1Payload) {
    if (!isExifPayload(app1Payload)) {
        return Orientation::Upright;
    }
    TiffReader tiff(app1Payload.subspan(exifHeader.size()));
    if (!tiff.readByteOrder()) {
        return Orientation::Upright;
    }
    const auto directory = tiff.u32(4);
    if (!directory) {
        return Orientation::Upright;
    }
    const auto entries = tiff.u16(*directory);
    if (!entries) {
        return Orientation::Upright;
    }
    // At most 65535 entries, each read checked: an absurd count ends at the
    // payload's end, which bounds the loop by the marker's 64 KiB.
    for (std::uint32_t i = 0; i < *entries; ++i) {
        const std::size_t entry = std::size_t{*directory} + 2 + i * entrySize;
        const auto tag = tiff.u16(entry);
        if (!tag) {
            break;
        }
        if (*tag != orientationTag) {
            continue;
        }
        const auto type = tiff.u16(entry + 2);
        const auto count = tiff.u32(entry + 4);
        const auto value = tiff.u16(entry + 8);
        if (type != std::optional<std::uint32_t>(shortType) || count != 1u || !value ||
            *value < 1 || *value > 8) {
            return Orientation::Upright;
        }
        return static_cast<Orientation>(*value);
    }
    return Orientation::Upright;
}

} // namespace tarvelo
