// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Placement.h"

namespace tarvelo {

namespace {

// Quotient and product are formed in extended precision from the 64-bit
// aspect and then truncated: a 106 x 466 picture must come out 52 wide, which
// plain double arithmetic would round up to 53.
int truncQuotient(int size, double aspect) {
    return static_cast<int>(static_cast<long double>(size) / static_cast<long double>(aspect));
}

int truncProduct(int size, double aspect) {
    return static_cast<int>(static_cast<long double>(size) * static_cast<long double>(aspect));
}

} // namespace

PlacementRect placementRect(int w, int h, int cw, int ch, PlacementSettings settings) {
    int width = w;
    int height = h;
    if (settings.stretch || (settings.proportional && (w > cw || h > ch))) {
        if (settings.proportional && w > 0 && h > 0) {
            const double aspect = static_cast<double>(w) / static_cast<double>(h);
            if (w > h) {
                width = cw;
                height = truncQuotient(cw, aspect);
                if (height > ch) {
                    height = ch;
                    width = truncProduct(ch, aspect);
                }
            } else {
                height = ch;
                width = truncProduct(ch, aspect);
                if (width > cw) {
                    width = cw;
                    height = truncQuotient(cw, aspect);
                }
            }
        } else {
            width = cw;
            height = ch;
        }
    }
    PlacementRect rect{0, 0, width, height};
    if (settings.center) {
        const int dx = (cw - width) / 2;
        const int dy = (ch - height) / 2;
        rect = {dx, dy, dx + width, dy + height};
    }
    return rect;
}

} // namespace tarvelo
