// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvelo {

// Before the application is made: a command that opens no window (and needs
// fonts all the same) runs without a display. On Linux that is Qt's
// offscreen platform, which takes the fonts from fontconfig, unless
// QT_QPA_PLATFORM names another; Windows' own platform needs no display.
void preferHeadlessPlatform();

} // namespace tarvelo
