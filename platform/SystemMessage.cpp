// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemMessage.h"

namespace tarvelo {

std::string systemErrorText(int err) {
    std::string text = systemMessage(err);
    while (!text.empty()) {
        const auto c = static_cast<unsigned char>(text.back());
        if (c != '.' && c != ' ' && c >= 0x20 && c != 0x7F) {
            break;
        }
        text.pop_back();
    }
    return text;
}

} // namespace tarvelo
