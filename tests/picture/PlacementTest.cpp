// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Placement.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

struct Case {
    int w, h;
    PlacementRect expected;
};

// The quiz's picture area is 641 x 233.
class PlacementInPictureArea : public testing::TestWithParam<Case> {};

TEST_P(PlacementInPictureArea, FitsScalesDownAndCentres) {
    const Case c = GetParam();
    EXPECT_EQ(placementRect(c.w, c.h, 641, 233), c.expected) << c.w << " x " << c.h;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementInPictureArea,
    testing::Values(Case{800, 600, {165, 0, 475, 233}}, Case{640, 480, {165, 0, 475, 233}},
                    Case{600, 800, {233, 0, 407, 233}}, Case{500, 500, {204, 0, 437, 233}},
                    // Natural size, odd leftover pixel to the right and bottom.
                    Case{300, 200, {170, 16, 470, 216}}, Case{641, 233, {0, 0, 641, 233}},
                    Case{642, 233, {0, 0, 641, 232}},
                    // 233 x aspect is just below 53 in extended precision.
                    Case{106, 466, {294, 0, 346, 233}}, Case{1, 1, {320, 116, 321, 117}},
                    Case{0, 0, {320, 116, 320, 116}}, Case{6000, 100, {0, 111, 641, 121}},
                    Case{100, 6000, {319, 0, 322, 233}}));

TEST(Placement, SettingsOtherThanTheQuizs) {
    // Stretch fills the area; without proportion the aspect is ignored.
    EXPECT_EQ(placementRect(10, 10, 641, 233, {true, false, true}),
              (PlacementRect{0, 0, 641, 233}));
    // Proportional stretch enlarges small pictures too.
    EXPECT_EQ(placementRect(100, 50, 641, 233, {true, true, true}),
              (PlacementRect{87, 0, 553, 233}));
    // Not centred: at the top-left corner.
    EXPECT_EQ(placementRect(800, 600, 641, 233, {false, true, false}),
              (PlacementRect{0, 0, 310, 233}));
}

} // namespace
} // namespace tarvelo
