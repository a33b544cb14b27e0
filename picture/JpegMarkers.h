// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace tarvelo {

// What a walk over every marker of a JPEG file finds, from its start of
// image to its end and past it, without decoding a pixel: enough to tell
// what decoding it would cost and whether it carries more than its picture.
struct JpegMarkers {
    // Start of image, a frame header, at least one scan and the end of image,
    // each segment whole within the file.
    bool wellFormed = false;
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
    int scans = 0;
    // Anything beyond the picture: Exif and XMP (APP1), ICC (APP2), IPTC
    // (APP13) and every other APPn but JFIF (APP0) and Adobe's colour marker
    // (APP14), comments, wherever they stand, and bytes after the end of image.
    bool metadata = false;

    // The decoder's work: every scan is a pass over the picture's
    // coefficients, so pixels times scans.
    long long work() const;
};

// Walks jpeg from its first byte. A file the walk cannot follow is not
// wellFormed, and counts as carrying metadata: nothing unseen goes through.
JpegMarkers walkJpegMarkers(std::span<const std::uint8_t> jpeg);

} // namespace tarvelo
