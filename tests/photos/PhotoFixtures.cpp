// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoFixtures.h"

#include "JpegPicture.h"
#include "PictureFile.h"

#include <QFile>
#include <cstring>
#include <stdexcept>

namespace tarvelo::fixtures {

namespace {

void put16(Bytes& out, unsigned value, bool bigEndian) {
    const auto hi = static_cast<std::uint8_t>(value >> 8);
    const auto lo = static_cast<std::uint8_t>(value & 0xFF);
    if (bigEndian) {
        out.push_back(hi);
        out.push_back(lo);
    } else {
        out.push_back(lo);
        out.push_back(hi);
    }
}

void put32(Bytes& out, unsigned value, bool bigEndian) {
    if (bigEndian) {
        put16(out, value >> 16, true);
        put16(out, value & 0xFFFF, true);
    } else {
        put16(out, value & 0xFFFF, false);
        put16(out, value >> 16, false);
    }
}

Bytes withSegment(Bytes jpeg, std::uint8_t code, const Bytes& payload) {
    Bytes segment{0xFF, code};
    put16(segment, static_cast<unsigned>(payload.size() + 2), true);
    segment.insert(segment.end(), payload.begin(), payload.end());
    jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
    return jpeg;
}

} // namespace

Bytes withExifOrientation(Bytes jpeg, int orientation, bool bigEndian) {
    Bytes payload{'E', 'x', 'i', 'f', 0, 0};
    if (bigEndian) {
        payload.insert(payload.end(), {'M', 'M'});
    } else {
        payload.insert(payload.end(), {'I', 'I'});
    }
    put16(payload, 42, bigEndian);
    put32(payload, 8, bigEndian); // IFD0 right after the header
    put16(payload, 1, bigEndian); // one entry
    put16(payload, 0x0112, bigEndian);
    put16(payload, 3, bigEndian); // SHORT
    put32(payload, 1, bigEndian);
    put16(payload, static_cast<unsigned>(orientation), bigEndian);
    put16(payload, 0, bigEndian);
    put32(payload, 0, bigEndian); // no next IFD
    payload.insert(payload.end(), gpsText, gpsText + std::strlen(gpsText));
    return withSegment(std::move(jpeg), 0xE1, payload);
}

Bytes withIccProfile(Bytes jpeg, const QByteArray& profile) {
    Bytes payload{'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, 1, 1};
    payload.insert(payload.end(), profile.begin(), profile.end());
    return withSegment(std::move(jpeg), 0xE2, payload);
}

std::vector<std::uint8_t> markersUpToScan(const Bytes& jpeg) {
    std::vector<std::uint8_t> codes;
    std::size_t at = 0;
    while (at + 1 < jpeg.size()) {
        if (jpeg[at] != 0xFF) {
            throw std::runtime_error("not at a marker");
        }
        const std::uint8_t code = jpeg[at + 1];
        codes.push_back(code);
        if (code == 0xD8) {
            at += 2;
            continue;
        }
        if (code == 0xDA || at + 3 >= jpeg.size()) {
            break;
        }
        at += 2 + (static_cast<std::size_t>(jpeg[at + 2]) << 8 | jpeg[at + 3]);
    }
    return codes;
}

Bytes readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

JpegPicture quizPicture(const QString& path) {
    JpegPicture picture = loadPicture(path.toStdString());
    picture.decodeRaster();
    return picture;
}

std::array<int, 3> rgbAt(const Raster& raster, int x, int y) {
    const std::uint8_t* p = raster.row(y) + 3 * static_cast<std::size_t>(x);
    return {p[2], p[1], p[0]};
}

} // namespace tarvelo::fixtures
