// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>
#include <span>

namespace tarvelo {

// One libjpeg decompressor reading from a memory buffer, released on
// destruction. Every library error becomes EJPEG with the library's message
// code; warnings are dropped silently. The whole buffer is the library's
// input at once; when it runs out, an end-of-image marker follows, so
// truncated files decode what they have instead of failing.
class JpegDecompressor {
public:
    // bytes must outlive the decompressor.
    explicit JpegDecompressor(std::span<const std::uint8_t> bytes);
    ~JpegDecompressor();
    JpegDecompressor(const JpegDecompressor&) = delete;
    JpegDecompressor& operator=(const JpegDecompressor&) = delete;

    jpeg_decompress_struct& info() { return info_; }
    const jpeg_decompress_struct& info() const { return info_; }

    // Each wraps the libjpeg call of the same name.
    void saveMarkers(int code); // whole markers of this code, before readHeader
    void readHeader();          // an image is required; tables alone are an error
    void calcOutputDimensions();
    void startDecompress();
    int readScanlines(JSAMPARRAY rows, int maxRows);
    void finishDecompress();
    bool hasMultipleScans();

    struct ErrorManager {
        jpeg_error_mgr pub;
        std::jmp_buf jump;
    };
    struct Source {
        jpeg_source_mgr pub;
        std::span<const std::uint8_t> bytes;
        std::size_t position;
    };

private:
    [[noreturn]] void throwError();

    jpeg_decompress_struct info_{};
    ErrorManager error_{};
    Source source_{};
};

} // namespace tarvelo
