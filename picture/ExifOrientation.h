// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace tarvelo {

// How a camera's stored pixels are to be turned for viewing: the values of
// the Exif Orientation tag (0x0112), 1 to 8.
enum class Orientation : int {
    Upright = 1,
    MirroredLeftRight = 2,
    UpsideDown = 3,
    MirroredTopBottom = 4,
    Transposed = 5,      // mirrored along the diagonal from the top left corner
    TurnedClockwise = 6, // stored on its side: turn 90° clockwise to view
    Transversed = 7,     // mirrored along the diagonal from the top right corner
    TurnedAnticlockwise = 8,
};

// The orientation named in an APP1 marker's payload (from "Exif\0\0" on).
// Anything else — another APP1 (XMP), an absent tag, a value outside 1..8,
// offsets or counts that leave the payload — is Upright: a photograph is
// then shown as stored, never refused.
Orientation exifOrientation(std::span<const std::uint8_t> app1Payload);

// True when an APP1 marker's payload is Exif ("Exif\0\0" and more) rather
// than, say, XMP. A file's first Exif marker is the one that counts.
bool isExifPayload(std::span<const std::uint8_t> app1Payload);

// Width and height trade places for 5 to 8.
constexpr bool swapsSides(Orientation orientation) {
    return static_cast<int>(orientation) >= 5;
}

// Where the pixel (x, y) of the upright picture, of size uprightWidth x
// uprightHeight, lies in the stored one.
struct StoredPixel {
    int x;
    int y;
};
constexpr StoredPixel storedPixel(Orientation orientation, int x, int y, int uprightWidth,
                                  int uprightHeight) {
    const int right = uprightWidth - 1 - x;
    const int bottom = uprightHeight - 1 - y;
    switch (orientation) {
    case Orientation::MirroredLeftRight:
        return {right, y};
    case Orientation::UpsideDown:
        return {right, bottom};
    case Orientation::MirroredTopBottom:
        return {x, bottom};
    case Orientation::Transposed:
        return {y, x};
    case Orientation::TurnedClockwise:
        return {y, right};
    case Orientation::Transversed:
        return {bottom, right};
    case Orientation::TurnedAnticlockwise:
        return {bottom, x};
    case Orientation::Upright:
        break;
    }
    return {x, y};
}

} // namespace tarvelo
