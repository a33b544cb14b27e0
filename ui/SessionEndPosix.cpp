// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SessionEnd.h"

#include <csignal>
#include <cstdlib>

namespace tarvelo {

namespace {
extern "C" void endAtOnce(int /*signal*/) {
    std::_Exit(0);
}
} // namespace

void endAtOnceWhenTheSessionEnds() {
    std::signal(SIGTERM, endAtOnce);
    std::signal(SIGHUP, endAtOnce);
}

} // namespace tarvelo
