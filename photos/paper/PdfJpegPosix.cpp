// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfJpeg.h"

namespace tarvelo {

void ensurePdfJpeg() {
    // Qt's own imageformats/libqjpeg, part of Qt's GUI package, writes JPEG.
}

} // namespace tarvelo
