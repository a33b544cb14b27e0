// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExifOrientation.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <csetjmp>
#include <cstdint>
#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>
#include <vector>

namespace tarvelo {

// A photograph's JPEG file, read for importing: the header with its Exif
// orientation and ICC profile, then the pixels at the smallest size libjpeg's
// scaled decoding gives that still covers what is wanted. Unlike the quiz's
// decoder it refuses a file that ends early. Every failure is thrown as
// ImportFailure.
class JpegReader {
public:
    // Reads from the device's current position, in blocks, as decoding goes;
    // device must outlive the reader.
    explicit JpegReader(QIODevice& device);
    ~JpegReader();
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    // As stored, before the orientation is applied.
    int width() const { return static_cast<int>(info_.image_width); }
    int height() const { return static_cast<int>(info_.image_height); }
    Orientation orientation() const { return orientation_; }
    // Empty when the file has none.
    const QByteArray& iccProfile() const { return iccProfile_; }

    // The pixels as stored (not turned), reduced by the largest factor n/8
    // whose output is still at least minWidth x minHeight; RGB32. Once only.
    QImage decode(int minWidth, int minHeight);

    struct ErrorManager {
        jpeg_error_mgr pub;
        std::jmp_buf jump;
        int warning; // the last warning's message code, or 0
    };
    struct Source {
        jpeg_source_mgr pub;
        QIODevice* device;
        std::vector<JOCTET> buffer;
        bool readFailed;
    };

private:
    [[noreturn]] void fail();
    void readHeader();
    void readMarkers();
    void calcOutputDimensions();
    void startDecompress();
    int readScanlines(JSAMPARRAY rows, int maxRows);
    void finishDecompress();
    void checkComplete() const;

    jpeg_decompress_struct info_{};
    ErrorManager error_{};
    Source source_{};
    Orientation orientation_ = Orientation::Upright;
    QByteArray iccProfile_;
};

} // namespace tarvelo
