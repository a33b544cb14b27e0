// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowSize.h"

namespace tarvelo {

namespace {
// A window frame's title bar and borders, which the size asked for leaves out.
constexpr QSize frameAllowance(16, 40);
} // namespace

QSize windowSizeFor(const QSize& wanted, const QRect& available) {
    return wanted.boundedTo(available.size() - frameAllowance);
}

} // namespace tarvelo
