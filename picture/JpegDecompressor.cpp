// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegDecompressor.h"

#include "PictureErrors.h"

#include <cstdlib>
#include <cstring>
#include <jerror.h>
#include <memory>

// Each wrapper below sets the error manager's jump and keeps only trivially
// destructible locals: an error leaves the library with longjmp into it, and
// it throws from there.

namespace tarvelo {

namespace {

constexpr JOCTET endOfImage[2] = {0xFF, JPEG_EOI};
// Small blocks from a stream: one large read into fresh memory costs more in
// page faults than a scaled decode of a phone photograph saves.
constexpr std::size_t streamBlockBytes = 64 * 1024;

// Called between chunks of work, a scan's rows among them; input_scan_number
// counts the scans started so far.
void onProgress(j_common_ptr info) {
    if (!info->is_decompressor) {
        return;
    }
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > maxJpegScans) {
        info->err->msg_code = JERR_BAD_PROGRESSION;
        info->err->error_exit(info);
    }
}

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

// What a file source of the library does at the end of its data: an
// end-of-image marker, with a warning that the file was cut short.
boolean endInput(j_decompress_ptr info, JpegDecompressor::Source& source) {
    info->err->msg_code = JWRN_JPEG_EOF;
    info->err->emit_message(reinterpret_cast<j_common_ptr>(info), -1);
    source.pub.next_input_byte = endOfImage;
    source.pub.bytes_in_buffer = sizeof endOfImage;
    return TRUE;
}

boolean fillFromMemory(j_decompress_ptr info) {
    auto* source = reinterpret_cast<JpegDecompressor::Source*>(info->src);
    const std::size_t left = source->bytes.size() - source->position;
    if (left == 0) {
        if (source->position == 0) {
            info->err->msg_code = JERR_INPUT_EMPTY;
            info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
        }
        return endInput(info, *source);
    }
    // All of it in one go: libjpeg-turbo's fast Huffman decoder runs only
    // while a few kilobytes are buffered, so small blocks slow every decode.
    source->pub.next_input_byte = source->bytes.data() + source->position;
    source->pub.bytes_in_buffer = left;
    source->position += left;
    return TRUE;
}

boolean fillFromStream(j_decompress_ptr info) {
    auto* source = reinterpret_cast<JpegDecompressor::Source*>(info->src);
    const std::ptrdiff_t got = source->stream->read(source->buffer);
    if (got <= 0) {
        source->readFailed = source->readFailed || got < 0;
        if (got == 0 && source->position == 0) {
            info->err->msg_code = JERR_INPUT_EMPTY;
            info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
        }
        return endInput(info, *source);
    }
    source->pub.next_input_byte = source->buffer.data();
    source->pub.bytes_in_buffer = static_cast<std::size_t>(got);
    source->position += static_cast<std::size_t>(got);
    return TRUE;
}

void skipInputData(j_decompress_ptr info, long count) {
    if (count <= 0) {
        return;
    }
    auto* source = info->src;
    auto remaining = static_cast<std::size_t>(count);
    while (remaining > source->bytes_in_buffer) {
        remaining -= source->bytes_in_buffer;
        source->fill_input_buffer(info); // never suspends
    }
    source->next_input_byte += remaining;
    source->bytes_in_buffer -= remaining;
}

bool isExif(const jpeg_saved_marker_ptr marker) {
    return marker->marker == JPEG_APP0 + 1 && marker->data &&
           isExifPayload({marker->data, marker->data_length});
}

struct MallocFree {
    void operator()(JOCTET* p) const { std::free(p); }
};

} // namespace

JpegDecompressor::JpegDecompressor(std::span<const std::uint8_t> bytes) {
    source_.bytes = bytes;
    source_.pub.fill_input_buffer = fillFromMemory;
    create();
}

JpegDecompressor::JpegDecompressor(JpegStream& stream) {
    source_.stream = &stream;
    source_.buffer.resize(streamBlockBytes);
    source_.pub.fill_input_buffer = fillFromStream;
    create();
}

// 1. The error manager, whose exit leaves through throwError; 2. the
// decompressor itself, which may already fail for want of memory; 3. our own
// source; 4. the progress monitor that stops files of endless scans.
void JpegDecompressor::create() {
    info_.err = installErrorManager(error_);
    if (setjmp(error_.jump)) {
        jpeg_destroy_decompress(&info_);
        throwError();
    }
    jpeg_create_decompress(&info_);
    source_.pub.init_source = initSource;
    source_.pub.skip_input_data = skipInputData;
    source_.pub.resync_to_restart = jpeg_resync_to_restart;
    source_.pub.term_source = termSource;
    info_.src = &source_.pub;
    progress_.progress_monitor = onProgress;
    info_.progress = &progress_;
}

JpegDecompressor::~JpegDecompressor() {
    jpeg_destroy_decompress(&info_);
}

void JpegDecompressor::throwError() {
    throw EJPEG(error_.pub.msg_code);
}

void JpegDecompressor::limitMemory(long bytes) {
    info_.mem->max_memory_to_use = bytes;
}

void JpegDecompressor::saveMarkers(int code) {
    if (setjmp(error_.jump)) {
        throwError();
    }
    jpeg_save_markers(&info_, code, 0xFFFF);
}

void JpegDecompressor::readHeader() {
    if (setjmp(error_.jump)) {
        throwError();
    }
    jpeg_read_header(&info_, TRUE);
}

void JpegDecompressor::calcOutputDimensions() {
    if (setjmp(error_.jump)) {
        throwError();
    }
    jpeg_calc_output_dimensions(&info_);
}

void JpegDecompressor::scaleToCover(int width, int height) {
    info_.scale_denom = 8;
    for (unsigned int n = 1; n <= 8; ++n) {
        info_.scale_num = n;
        calcOutputDimensions();
        if (static_cast<int>(info_.output_width) >= width &&
            static_cast<int>(info_.output_height) >= height) {
            return;
        }
    }
}

void JpegDecompressor::startDecompress() {
    if (setjmp(error_.jump)) {
        throwError();
    }
    jpeg_start_decompress(&info_);
}

int JpegDecompressor::readScanlines(JSAMPARRAY rows, int maxRows) {
    if (setjmp(error_.jump)) {
        throwError();
    }
    return static_cast<int>(jpeg_read_scanlines(&info_, rows, static_cast<JDIMENSION>(maxRows)));
}

void JpegDecompressor::finishDecompress() {
    if (setjmp(error_.jump)) {
        throwError();
    }
    jpeg_finish_decompress(&info_);
}

bool JpegDecompressor::hasMultipleScans() {
    if (setjmp(error_.jump)) {
        throwError();
    }
    return jpeg_has_multiple_scans(&info_) != FALSE;
}

Orientation JpegDecompressor::orientation() const {
    for (jpeg_saved_marker_ptr marker = info_.marker_list; marker; marker = marker->next) {
        if (isExif(marker)) {
            return exifOrientation({marker->data, marker->data_length});
        }
    }
    return Orientation::Upright;
}

void JpegDecompressor::readIccProfile(JOCTET** profile, unsigned int* length) {
    if (setjmp(error_.jump)) {
        throwError();
    }
    jpeg_read_icc_profile(&info_, profile, length);
}

std::vector<std::uint8_t> JpegDecompressor::iccProfile() {
    JOCTET* profile = nullptr;
    unsigned int length = 0;
    readIccProfile(&profile, &length);
    const std::unique_ptr<JOCTET, MallocFree> owned(profile); // the library's malloc
    if (!profile) {
        return {};
    }
    return {profile, profile + length};
}

bool JpegDecompressor::truncated() const {
    return error_.lastWarning == JWRN_JPEG_EOF || error_.lastWarning == JWRN_HIT_MARKER;
}

} // namespace tarvelo
