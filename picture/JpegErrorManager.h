// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>

namespace tarvelo {

// libjpeg reports errors through a callback that must not return. This one
// leaves the library with longjmp to `jump`, set by the wrapper call that
// entered it (whose frame holds nothing with a destructor), which then throws
// or returns from there, never through C code. Warnings are kept, the last
// one in lastWarning, and nothing is ever printed.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    int lastWarning; // message code, 0 for none
};

// Sets manager up; the result goes into a (de)compressor's err field.
jpeg_error_mgr* installErrorManager(JpegErrorManager& manager);

} // namespace tarvelo
