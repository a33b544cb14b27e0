// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegDecompressor.h"

#include "PictureErrors.h"

#include <jerror.h>

// libjpeg reports errors through a callback that must not return. We leave the
// library with longjmp back into the wrapper call that entered it (no C++
// objects live in those frames) and throw from there, never through C code.
// Each wrapper therefore keeps only trivially destructible locals.

namespace tarvelo {

namespace {

constexpr JOCTET endOfImage[2] = {0xFF, JPEG_EOI};

void onError(j_common_ptr info) {
    auto* error = reinterpret_cast<JpegDecompressor::ErrorManager*>(info->err);
    std::longjmp(error->jump, 1);
}

void onMessage(j_common_ptr, int) {}
void onOutput(j_common_ptr) {}

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr info) {
    auto* source = reinterpret_cast<JpegDecompressor::Source*>(info->src);
    const std::size_t left = source->bytes.size() - source->position;
    if (left == 0) {
        if (source->position == 0) {
            info->err->msg_code = JERR_INPUT_EMPTY;
            info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
        }
        info->err->msg_code = JWRN_JPEG_EOF;
        info->err->emit_message(reinterpret_cast<j_common_ptr>(info), -1);
        source->pub.next_input_byte = endOfImage;
        source->pub.bytes_in_buffer = sizeof endOfImage;
        return TRUE;
    }
    // All of it in one go: libjpeg-turbo's fast Huffman decoder runs only
    // while a few kilobytes are buffered, so small blocks slow every decode.
    source->pub.next_input_byte = source->bytes.data() + source->position;
    source->pub.bytes_in_buffer = left;
    source->position += left;
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

} // namespace

JpegDecompressor::JpegDecompressor(std::span<const std::uint8_t> bytes) {
    info_.err = jpeg_std_error(&error_.pub);
    error_.pub.error_exit = onError;
    error_.pub.emit_message = onMessage;
    error_.pub.output_message = onOutput;
    if (setjmp(error_.jump)) {
        jpeg_destroy_decompress(&info_);
        throwError();
    }
    jpeg_create_decompress(&info_);
    source_.bytes = bytes;
    source_.position = 0;
    source_.pub.init_source = initSource;
    source_.pub.fill_input_buffer = fillInputBuffer;
    source_.pub.skip_input_data = skipInputData;
    source_.pub.resync_to_restart = jpeg_resync_to_restart;
    source_.pub.term_source = termSource;
    source_.pub.next_input_byte = nullptr;
    source_.pub.bytes_in_buffer = 0;
    info_.src = &source_.pub;
}

JpegDecompressor::~JpegDecompressor() {
    jpeg_destroy_decompress(&info_);
}

void JpegDecompressor::throwError() {
    throw EJPEG(error_.pub.msg_code);
}

void JpegDecompressor::saveMarkers(int code) {
    if (setjmp(error_.jump))
        throwError();
    jpeg_save_markers(&info_, code, 0xFFFF);
}

void JpegDecompressor::readHeader() {
    if (setjmp(error_.jump))
        throwError();
    jpeg_read_header(&info_, TRUE);
}

void JpegDecompressor::calcOutputDimensions() {
    if (setjmp(error_.jump))
        throwError();
    jpeg_calc_output_dimensions(&info_);
}

void JpegDecompressor::startDecompress() {
    if (setjmp(error_.jump))
        throwError();
    jpeg_start_decompress(&info_);
}

int JpegDecompressor::readScanlines(JSAMPARRAY rows, int maxRows) {
    if (setjmp(error_.jump))
        throwError();
    return static_cast<int>(jpeg_read_scanlines(&info_, rows, static_cast<JDIMENSION>(maxRows)));
}

void JpegDecompressor::finishDecompress() {
    if (setjmp(error_.jump))
        throwError();
    jpeg_finish_decompress(&info_);
}

bool JpegDecompressor::hasMultipleScans() {
    if (setjmp(error_.jump))
        throwError();
    return jpeg_has_multiple_scans(&info_) != FALSE;
}

} // namespace tarvelo
