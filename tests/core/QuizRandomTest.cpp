// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuizRandom.h"

#include <gtest/gtest.h>
#include <set>

using namespace tarvelo;

TEST(QuizRandom, KnownDrawsForFixedSeeds) {
    QuizRandom random;
    random.seed(12345);
    for (const int expected : {7, 5, 1, 10, 12, 6}) {
        EXPECT_EQ(random.draw(19), expected);
    }

    // The state wraps modulo 2^32 and the draw uses the full 64-bit product.
    random.seed(0xFFFFFFFFu);
    EXPECT_EQ(random.draw(1000), 968);
    EXPECT_EQ(random.state(), 4160191484u);
    EXPECT_EQ(random.draw(1000), 201);
    EXPECT_EQ(random.state(), 866343917u);
}

TEST(QuizRandom, DrawsStayInRangeAndReachEveryIndex) {
    QuizRandom random;
    random.seed(0);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int index = random.draw(19);
        ASSERT_GE(index, 0);
        ASSERT_LT(index, 19);
        seen.insert(index);
    }
    EXPECT_EQ(seen.size(), 19u);
}

TEST(QuizRandom, ClockSeedChangesOverTime) {
    const auto first = clockSeed();
    std::uint32_t later = first;
    for (int i = 0; i < 1000000 && later == first; ++i) {
        later = clockSeed();
    }
    EXPECT_NE(first, later);
}
