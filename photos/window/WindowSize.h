// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

namespace tarvelo {

// A window's first size: what it asks for, within a screen's available
// area (without the taskbar) less room for the window's frame and title.
QSize windowSizeFor(const QSize& wanted, const QRect& available);

} // namespace tarvelo
