// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegReader.h"

#include "ImportFailure.h"
#include "PhotoImport.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <jerror.h>
#include <vector>

// As in the quiz's decoder: libjpeg's error callback longjmps back into the
// wrapper that entered the library (whose frame holds nothing with a
// destructor), and the wrapper throws from there.

namespace tarvelo {

namespace {

constexpr int rowsPerRead = 16;
// libjpeg holds a progressive file's coefficients for the whole picture;
// this bounds that, beyond the pixel limit, for files built to exhaust memory.
constexpr long maxLibraryMemory = 1024L * 1024 * 1024;

void onError(j_common_ptr info) {
    auto* error = reinterpret_cast<JpegReader::ErrorManager*>(info->err);
    std::longjmp(error->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
    if (level < 0) {
        auto* error = reinterpret_cast<JpegReader::ErrorManager*>(info->err);
        error->warning = info->err->msg_code;
    }
}

void onOutput(j_common_ptr) {}

// Small blocks: one large read into fresh memory costs more in page faults
// than the whole scaled decode of a phone photograph saves.
constexpr std::size_t blockBytes = 64 * 1024;
constexpr JOCTET endOfImage[2] = {0xFF, JPEG_EOI};

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

// At the end of the data, or on a read error, the library gets an
// end-of-image marker and a warning, as from its own file source; the
// warning tells the reader the file was cut short.
boolean fillInputBuffer(j_decompress_ptr info) {
    auto* source = reinterpret_cast<JpegReader::Source*>(info->src);
    const qint64 got = source->device->read(reinterpret_cast<char*>(source->buffer.data()),
                                            static_cast<qint64>(source->buffer.size()));
    if (got <= 0) {
        source->readFailed = got < 0;
        info->err->msg_code = JWRN_JPEG_EOF;
        info->err->emit_message(reinterpret_cast<j_common_ptr>(info), -1);
        source->pub.next_input_byte = endOfImage;
        source->pub.bytes_in_buffer = sizeof endOfImage;
        return TRUE;
    }
    source->pub.next_input_byte = source->buffer.data();
    source->pub.bytes_in_buffer = static_cast<std::size_t>(got);
    return TRUE;
}

void skipInputData(j_decompress_ptr info, long count) {
    if (count <= 0)
        return;
    auto* source = info->src;
    auto remaining = static_cast<std::size_t>(count);
    while (remaining > source->bytes_in_buffer) {
        remaining -= source->bytes_in_buffer;
        fillInputBuffer(info); // never suspends
    }
    source->next_input_byte += remaining;
    source->bytes_in_buffer -= remaining;
}

bool isExif(const jpeg_saved_marker_ptr marker) {
    static constexpr std::array<JOCTET, 6> exif{'E', 'x', 'i', 'f', 0, 0};
    return marker->marker == JPEG_APP0 + 1 && marker->data_length >= exif.size() &&
           std::memcmp(marker->data, exif.data(), exif.size()) == 0;
}

// Adobe writes CMYK inverted (0 = full ink) and marks such files with its
// APP14 marker; files without it carry plain ink values.
void cmykToRgb32(const JSAMPLE* cmyk, QRgb* out, int width, bool inverted) {
    for (int x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = qRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
    }
}

} // namespace

JpegReader::JpegReader(QIODevice& device) {
    info_.err = jpeg_std_error(&error_.pub);
    error_.pub.error_exit = onError;
    error_.pub.emit_message = onMessage;
    error_.pub.output_message = onOutput;
    if (setjmp(error_.jump)) {
        jpeg_destroy_decompress(&info_);
        throw ImportFailure{ImportProblem::Damaged, {}};
    }
    jpeg_create_decompress(&info_);
    info_.mem->max_memory_to_use = maxLibraryMemory;
    source_.device = &device;
    source_.buffer.resize(blockBytes);
    source_.pub.init_source = initSource;
    source_.pub.fill_input_buffer = fillInputBuffer;
    source_.pub.skip_input_data = skipInputData;
    source_.pub.resync_to_restart = jpeg_resync_to_restart;
    source_.pub.term_source = termSource;
    info_.src = &source_.pub;
    jpeg_save_markers(&info_, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(&info_, JPEG_APP0 + 2, 0xFFFF);
    try {
        readHeader();
        const long long pixels = static_cast<long long>(width()) * height();
        if (pixels > importMaxPixels)
            throw ImportFailure{ImportProblem::TooLarge,
                                QStringLiteral("%1 × %2 pixelů, nejvýše %3 milionů pixelů")
                                    .arg(width())
                                    .arg(height())
                                    .arg(importMaxPixels / 1'000'000)};
        readMarkers();
    } catch (...) {
        jpeg_destroy_decompress(&info_); // no destructor for a half-made reader
        throw;
    }
}

JpegReader::~JpegReader() {
    jpeg_destroy_decompress(&info_);
}

void JpegReader::fail() {
    const int code = error_.pub.msg_code;
    if (code == JERR_NO_BACKING_STORE || code == JERR_OUT_OF_MEMORY)
        throw ImportFailure{ImportProblem::TooLarge, QStringLiteral("nedostatek paměti")};
    if (code == JERR_INPUT_EMPTY || code == JERR_INPUT_EOF)
        throw ImportFailure{ImportProblem::Truncated, {}};
    if (code == JERR_ARITH_NOTIMPL || code == JERR_NOT_COMPILED || code == JERR_BAD_PRECISION ||
        code == JERR_NOTIMPL)
        throw ImportFailure{ImportProblem::Unsupported, QStringLiteral("JPEG v této variantě")};
    throw ImportFailure{ImportProblem::Damaged, {}};
}

void JpegReader::readHeader() {
    if (setjmp(error_.jump))
        fail();
    jpeg_read_header(&info_, TRUE);
}

void JpegReader::readMarkers() {
    if (setjmp(error_.jump))
        fail();
    for (jpeg_saved_marker_ptr marker = info_.marker_list; marker; marker = marker->next)
        if (isExif(marker)) {
            orientation_ = exifOrientation({marker->data, marker->data_length});
            break;
        }
    JOCTET* profile = nullptr;
    unsigned int length = 0;
    if (jpeg_read_icc_profile(&info_, &profile, &length) && profile) {
        iccProfile_ =
            QByteArray(reinterpret_cast<const char*>(profile), static_cast<qsizetype>(length));
        std::free(profile); // allocated by the library with malloc
    }
}

void JpegReader::calcOutputDimensions() {
    if (setjmp(error_.jump))
        fail();
    jpeg_calc_output_dimensions(&info_);
}

void JpegReader::startDecompress() {
    if (setjmp(error_.jump))
        fail();
    jpeg_start_decompress(&info_);
}

int JpegReader::readScanlines(JSAMPARRAY rows, int maxRows) {
    if (setjmp(error_.jump))
        fail();
    return static_cast<int>(jpeg_read_scanlines(&info_, rows, static_cast<JDIMENSION>(maxRows)));
}

void JpegReader::finishDecompress() {
    if (setjmp(error_.jump))
        fail();
    jpeg_finish_decompress(&info_);
}

// The library makes up the missing end of a cut file and only warns; a
// photograph with a grey band is no photograph to store.
void JpegReader::checkComplete() const {
    if (source_.readFailed)
        throw ImportFailure{ImportProblem::Unreadable, QStringLiteral("chyba při čtení souboru")};
    if (error_.warning == JWRN_JPEG_EOF || error_.warning == JWRN_HIT_MARKER)
        throw ImportFailure{ImportProblem::Truncated, {}};
}

QImage JpegReader::decode(int minWidth, int minHeight) {
    switch (info_.jpeg_color_space) {
    case JCS_GRAYSCALE:
        info_.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        info_.out_color_space = JCS_CMYK;
        break;
    default:
        // Byte order B, G, R, X is QImage's RGB32 on the little-endian
        // machines we build for; checked at compile time below.
        info_.out_color_space = JCS_EXT_BGRX;
        break;
    }
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
    info_.scale_denom = 8;
    for (unsigned int n = 1; n <= 8; ++n) {
        info_.scale_num = n;
        calcOutputDimensions();
        if (static_cast<int>(info_.output_width) >= minWidth &&
            static_cast<int>(info_.output_height) >= minHeight)
            break;
    }
    startDecompress();
    const int outWidth = static_cast<int>(info_.output_width);
    const int outHeight = static_cast<int>(info_.output_height);
    QImage image(outWidth, outHeight,
                 info_.out_color_space == JCS_GRAYSCALE ? QImage::Format_Grayscale8
                                                        : QImage::Format_RGB32);
    if (image.isNull())
        throw ImportFailure{ImportProblem::TooLarge, QStringLiteral("nedostatek paměti")};

    const bool cmyk = info_.out_color_space == JCS_CMYK;
    const bool inverted = info_.saw_Adobe_marker != FALSE;
    std::vector<JSAMPLE> cmykRows(cmyk ? static_cast<std::size_t>(outWidth) * 4 * rowsPerRead : 0);
    std::array<JSAMPROW, rowsPerRead> rows{};
    int done = 0;
    while (done < outHeight) {
        const int wanted = std::min(rowsPerRead, outHeight - done);
        for (int i = 0; i < wanted; ++i)
            rows[static_cast<std::size_t>(i)] =
                cmyk ? cmykRows.data() +
                           static_cast<std::size_t>(i) * 4 * static_cast<std::size_t>(outWidth)
                     : image.scanLine(done + i);
        const int got = readScanlines(rows.data(), wanted);
        if (got <= 0)
            throw ImportFailure{ImportProblem::Damaged, {}};
        if (cmyk)
            for (int i = 0; i < got; ++i)
                cmykToRgb32(rows[static_cast<std::size_t>(i)],
                            reinterpret_cast<QRgb*>(image.scanLine(done + i)), outWidth, inverted);
        done += got;
    }
    finishDecompress();
    checkComplete();
    return image;
}

} // namespace tarvelo
