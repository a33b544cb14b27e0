// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemMessage.h"

#include <system_error>

namespace tarvelo {

std::string systemMessage(int err) {
    return std::generic_category().message(err);
}

} // namespace tarvelo
