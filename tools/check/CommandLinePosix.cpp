// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

namespace tarvelo {

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    return {argv + (argc > 0 ? 1 : 0), argv + argc};
}

void useUtf8Output() {}

} // namespace tarvelo
