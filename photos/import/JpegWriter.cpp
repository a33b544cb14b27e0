// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegWriter.h"

#include "ImportMessages.h"
#include "JpegErrorManager.h"

#include <cstdlib>
#include <memory>

namespace tarvelo {

namespace {

struct MallocFree {
    void operator()(unsigned char* p) const { std::free(p); }
};

// One run of the compressor over image (RGB888) into *out, *size (malloc'd
// by the library). False when the library failed; no C++ object lives in
// this frame, so the longjmp leaves nothing behind.
bool compress(const QImage& image, int quality, unsigned char** out, unsigned long* size) {
    jpeg_compress_struct info{};
    JpegErrorManager error{};
    info.err = installErrorManager(error);
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, size);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Smaller files at no cost to the decoder; still baseline (SOF0).
    info.optimize_coding = TRUE;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

std::vector<std::uint8_t> encodeBaselineJpeg(const QImage& image, int quality) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull() || rgb.width() <= 0 || rgb.height() <= 0) {
        throw ImportFailure{ImportProblem::Damaged, {}};
    }
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const bool ok = compress(rgb, quality, &out, &size);
    const std::unique_ptr<unsigned char, MallocFree> owned(out);
    if (!ok || !out) {
        throw ImportFailure{ImportProblem::NotWritten, QStringLiteral("kodér JPEG selhal")};
    }
    return {out, out + size};
}

} // namespace tarvelo
