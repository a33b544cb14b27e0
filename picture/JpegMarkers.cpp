// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegMarkers.h"

#include <algorithm>
#include <optional>

namespace tarvelo {

namespace {

constexpr std::uint8_t soi = 0xD8;
constexpr std::uint8_t eoi = 0xD9;
constexpr std::uint8_t sos = 0xDA;
constexpr std::uint8_t app0 = 0xE0;
constexpr std::uint8_t app14 = 0xEE;
constexpr std::uint8_t com = 0xFE;

// Markers that stand alone, with no length: TEM and the restart markers.
bool standsAlone(std::uint8_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// Frame headers: SOF0..SOF15 but DHT (C4), JPG (C8) and DAC (CC).
bool isFrame(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool isProgressive(std::uint8_t marker) {
    return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
}

bool carriesMetadata(std::uint8_t marker) {
    return (marker > app0 && marker <= 0xEF && marker != app14) || marker == com;
}

class Walk {
public:
    explicit Walk(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    JpegMarkers run() {
        JpegMarkers found;
        found.metadata = true; // until the walk reaches the end of image
        if (bytes_.size() < 4 || bytes_[0] != 0xFF || bytes_[1] != soi) {
            return found;
        }
        at_ = 2;
        bool frame = false;
        while (true) {
            const int marker = nextMarker();
            if (marker < 0) {
                return found;
            }
            const auto m = static_cast<std::uint8_t>(marker);
            if (m == eoi) {
                found.wellFormed = frame && found.scans > 0;
                found.metadata = metadataSeen_ || at_ != bytes_.size();
                return found;
            }
            if (m == soi) {
                return found;
            }
            if (standsAlone(m)) {
                continue;
            }
            const std::optional<std::span<const std::uint8_t>> taken = takeSegment();
            if (!taken) {
                return found;
            }
            const std::span<const std::uint8_t> segment = *taken;
            metadataSeen_ = metadataSeen_ || carriesMetadata(m);
            if (isFrame(m)) {
                if (frame || segment.size() < 6) {
                    return found;
                }
                frame = true;
                found.height = segment[1] << 8 | segment[2];
                found.width = segment[3] << 8 | segment[4];
                found.components = segment[5];
                found.progressive = isProgressive(m);
            } else if (m == sos) {
                ++found.scans;
                skipEntropyCodedData();
            }
        }
    }

private:
    // The next marker code, past fill bytes; -1 at the end of the file or on
    // anything but a marker.
    int nextMarker() {
        if (at_ >= bytes_.size() || bytes_[at_] != 0xFF) {
            return -1;
        }
        while (at_ < bytes_.size() && bytes_[at_] == 0xFF) {
            ++at_;
        }
        if (at_ >= bytes_.size() || bytes_[at_] == 0x00) {
            return -1;
        }
        return bytes_[at_++];
    }

    // The segment's bytes after its two-byte length; nothing when the length
    // is impossible or runs past the file.
    std::optional<std::span<const std::uint8_t>> takeSegment() {
        if (at_ + 2 > bytes_.size()) {
            return std::nullopt;
        }
        const std::size_t length = static_cast<std::size_t>(bytes_[at_] << 8 | bytes_[at_ + 1]);
        if (length < 2 || at_ + length > bytes_.size()) {
            return std::nullopt;
        }
        const auto segment = bytes_.subspan(at_ + 2, length - 2);
        at_ += length;
        return segment;
    }

    // Past a scan's data to the next marker that is not a stuffed zero or a
    // restart marker.
    void skipEntropyCodedData() {
        while (at_ < bytes_.size()) {
            const auto found = std::find(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                                         bytes_.end(), std::uint8_t{0xFF});
            at_ = static_cast<std::size_t>(found - bytes_.begin());
            if (at_ + 1 >= bytes_.size()) {
                at_ = bytes_.size();
                return;
            }
            const std::uint8_t next = bytes_[at_ + 1];
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7)) {
                at_ += 2;
            } else if (next == 0xFF) {
                ++at_; // a fill byte before a marker
            } else {
                return;
            }
        }
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool metadataSeen_ = false;
};

} // namespace

long long JpegMarkers::work() const {
    return static_cast<long long>(width) * height * std::max(scans, 1);
}

JpegMarkers walkJpegMarkers(std::span<const std::uint8_t> jpeg) {
    return Walk(jpeg).run();
}

} // namespace tarvelo
