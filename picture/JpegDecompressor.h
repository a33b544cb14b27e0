// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExifOrientation.h"
#include "JpegErrorManager.h"

#include <cstddef>
#include <cstdint>
#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>
#include <span>
#include <vector>

namespace tarvelo {

// Where a decompressor reads a file from when it is not held in memory.
class JpegStream {
public:
    virtual ~JpegStream() = default;
    // Up to buffer.size() bytes into buffer: the count, 0 at the end of the
    // data, or a negative number when reading failed.
    virtual std::ptrdiff_t read(std::span<std::uint8_t> buffer) = 0;
};

// No camera or encoder writes more scans than this (libjpeg's own
// progressive scripts write at most 6 a component); a file with more is built
// to keep the decoder busy, each scan being a full pass over the picture.
inline constexpr int maxJpegScans = 100;

// One libjpeg decompressor, released on destruction. Every library error
// becomes EJPEG with the library's message code; warnings are kept (the last
// one) but never shown. When the input runs out, an end-of-image marker
// follows with a warning, so truncated files decode what they have; whoever
// needs whole files asks truncated(). A file with more than maxJpegScans
// scans stops with JERR_BAD_PROGRESSION, since its progression cannot be a
// valid one.
class JpegDecompressor {
public:
    // The whole file in memory, handed to the library at once; bytes must
    // outlive the decompressor.
    explicit JpegDecompressor(std::span<const std::uint8_t> bytes);
    // The file read in blocks as decoding goes; stream must outlive the
    // decompressor.
    explicit JpegDecompressor(JpegStream& stream);
    ~JpegDecompressor();
    JpegDecompressor(const JpegDecompressor&) = delete;
    JpegDecompressor& operator=(const JpegDecompressor&) = delete;

    jpeg_decompress_struct& info() { return info_; }
    const jpeg_decompress_struct& info() const { return info_; }

    // At most this many bytes of the library's own working memory (the
    // coefficients of a progressive file); beyond it decoding stops with
    // JERR_NO_BACKING_STORE. Before startDecompress.
    void limitMemory(long bytes);

    // Each wraps the libjpeg call of the same name.
    void saveMarkers(int code); // whole markers of this code, before readHeader
    void readHeader();          // an image is required; tables alone are an error
    void calcOutputDimensions();
    void startDecompress();
    int readScanlines(JSAMPARRAY rows, int maxRows);
    void finishDecompress();
    bool hasMultipleScans();

    // After readHeader: the smallest of libjpeg's scaled sizes n/8 whose
    // output still covers width x height (the full size when none does), so
    // that a picture drawn small is decoded small.
    void scaleToCover(int width, int height);

    // From the first Exif APP1 marker the header read kept (saveMarkers of
    // APP1 first); Upright when there is none or it is damaged.
    Orientation orientation() const;
    // The ICC profile from the APP2 markers the header read kept (saveMarkers
    // of APP2 first); empty when there is none.
    std::vector<std::uint8_t> iccProfile();

    // The input ended before the end-of-image marker, or a marker cut the
    // compressed data short: the library made up the rest.
    bool truncated() const;
    // The file was stopped for having more than maxJpegScans scans.
    bool tooManyScans() const { return info_.input_scan_number > maxJpegScans; }
    // The stream reported a read error (and the input was taken as ending there).
    bool readFailed() const { return source_.readFailed; }

    struct Source {
        jpeg_source_mgr pub;
        std::span<const std::uint8_t> bytes; // memory input
        std::size_t position;
        JpegStream* stream; // stream input, when not null
        std::vector<std::uint8_t> buffer;
        bool readFailed;
    };

private:
    void create();
    void readIccProfile(JOCTET** profile, unsigned int* length);
    [[noreturn]] void throwError();

    jpeg_decompress_struct info_{};
    JpegErrorManager error_{};
    Source source_{};
    jpeg_progress_mgr progress_{};
};

} // namespace tarvelo
