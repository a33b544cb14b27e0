// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvelo {

// A rectangle in the box's client coordinates, right and bottom exclusive.
struct PlacementRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const PlacementRect&, const PlacementRect&) = default;
};

// The box's display settings; the defaults are those of the quiz's picture area.
struct PlacementSettings {
    bool center = true;
    bool proportional = true;
    bool stretch = false;
};

// Where a picture of pictureWidth x pictureHeight goes in a client area of
// clientWidth x clientHeight: scaled down (never up) keeping its aspect, centred.
PlacementRect placementRect(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight,
                            PlacementSettings settings = {});

} // namespace tarvelo
