// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JpegFixtures.h"
#include "JpegPicture.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tarvelo::fixtures {

// What a phone adds to its photographs, spliced in after the start-of-image marker.

// An APP1 Exif segment naming orientation (1..8) in either byte order, with a
// made-up location text after the directory; gpsText gives that text.
Bytes withExifOrientation(Bytes jpeg, int orientation, bool bigEndian = false);
inline constexpr const char* gpsText = "GPS 49.1951N 16.6068E";

// An APP2 ICC_PROFILE segment holding profile (one chunk).
Bytes withIccProfile(Bytes jpeg, const QByteArray& profile);

// The marker codes (the byte after 0xFF) from the start of the file up to and
// including the first start-of-scan.
std::vector<std::uint8_t> markersUpToScan(const Bytes& jpeg);

Bytes readBytes(const QString& path);
// The same bytes as Qt holds them.
inline QByteArray asBytes(const Bytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

// The picture as the quiz decodes it, by its own loader and decoder; its
// raster() is set.
JpegPicture quizPicture(const QString& path);
// Red, green, blue of a 24-bit raster's pixel.
std::array<int, 3> rgbAt(const Raster& raster, int x, int y);

} // namespace tarvelo::fixtures

// Test failures show sizes as sizes.
inline void PrintTo(const QSize& size, std::ostream* out) {
    *out << size.width() << " x " << size.height();
}
