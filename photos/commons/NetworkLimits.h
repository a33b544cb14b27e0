// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <chrono>

namespace tarvelo {

// How long and how much the program waits for and takes from Wikimedia's
// servers. Settable so that tests of a stalled server stay short.
struct NetworkLimits {
    // No byte for this long ends a request.
    std::chrono::milliseconds transferTimeout{20'000};
    // Nor may a whole request take longer, however slowly bytes trickle in.
    std::chrono::milliseconds deadline{120'000};
    // A server that asks to wait (maxlag, 429, 503) is asked again at most
    // this many times, and never after more than longestWait.
    int retries = 3;
    std::chrono::milliseconds longestWait{60'000};
    // The wait after a maxlag answer that does not say how long.
    std::chrono::milliseconds lagWait{5'000};
    int redirects = 3;
    // An API answer is a few hundred kilobytes at most; a grid thumbnail
    // some tens; a photograph 1280 wide a few megabytes.
    qint64 apiBytes = 4 * 1024 * 1024;
    qint64 thumbnailBytes = 2 * 1024 * 1024;
    qint64 photoBytes = 20 * 1024 * 1024;
};

} // namespace tarvelo
