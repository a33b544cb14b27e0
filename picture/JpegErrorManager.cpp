// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegErrorManager.h"

namespace tarvelo {

namespace {

void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
    if (level < 0) {
        reinterpret_cast<JpegErrorManager*>(info->err)->lastWarning = info->err->msg_code;
    }
}

void onOutput(j_common_ptr) {}

} // namespace

jpeg_error_mgr* installErrorManager(JpegErrorManager& manager) {
    jpeg_error_mgr* error = jpeg_std_error(&manager.pub);
    error->error_exit = onError;
    error->emit_message = onMessage;
    error->output_message = onOutput;
    manager.lastWarning = 0;
    return error;
}

} // namespace tarvelo
