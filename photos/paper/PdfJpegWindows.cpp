// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegWritePlugin.h"
#include "PdfJpeg.h"

#include <QImageWriter>

namespace tarvelo {

void ensurePdfJpeg() {
    static const bool registered = [] {
        if (!QImageWriter::supportedImageFormats().contains("jpeg")) {
            qRegisterStaticPluginFunction(jpegWriteStaticPlugin());
        }
        return true;
    }();
    static_cast<void>(registered);
}

} // namespace tarvelo
