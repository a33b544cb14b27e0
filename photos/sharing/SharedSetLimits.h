// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace tarvelo {

// What a shared set's file may hold and cost, for the side that writes one
// and the side that opens one alike, so that a file Tarvelo writes is always
// one it opens. Sizes are judged from the archive's directory before a byte is
// inflated; decoding work from each photograph's markers before a pixel is
// decoded, so a small file built to keep the editor busy is refused at once.
struct SharedSetLimits {
    qint64 archiveBytes = 512LL << 20; // the file itself
    int entries = 400;                 // 190 photographs, the manifest, folders
    qint64 entryBytes = 32LL << 20;    // one entry, inflated
    qint64 totalBytes = 512LL << 20;   // all entries, inflated
    // Decoding work, in pixels times passes: every scan is a pass over the
    // picture, and a photograph that is imported costs about four more
    // (scaling, turning, encoding). One photograph: a 48-megapixel phone
    // photograph in ten scans, about two and a half seconds of this machine.
    long long photoWork = 700'000'000;
    // The whole file: some four seconds here at the most. A full set of
    // Tarvelo's own copies (190 of at most 1923 x 699, taken as they are,
    // one scan each) needs a quarter of it.
    long long fileWork = 1'000'000'000;
};

} // namespace tarvelo
