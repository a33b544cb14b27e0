// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Counts of photographs as Czech says them.
#include "CzechCounts.h"

#include <gtest/gtest.h>

namespace tarvelo::testing {
namespace {

// What the window and the messages say of a number of photographs, read
// aloud as Czech has it.
TEST(CzechCountsTest, TheNounAgreesAndThePrepositionFitsTheSpokenNumber) {
    EXPECT_EQ(photographCount(1), QStringLiteral("1 fotografie"));
    EXPECT_EQ(photographCount(2), QStringLiteral("2 fotografie"));
    EXPECT_EQ(photographCount(4), QStringLiteral("4 fotografie"));
    EXPECT_EQ(photographCount(5), QStringLiteral("5 fotografií"));
    EXPECT_EQ(photographCount(10), QStringLiteral("10 fotografií"));
    EXPECT_EQ(photographCount(0), QStringLiteral("0 fotografií"));

    EXPECT_EQ(ofCount(2, 3), QStringLiteral("2 ze 3"));
    EXPECT_EQ(ofCount(2, 5), QStringLiteral("2 z 5"));
    EXPECT_EQ(ofCount(1, 1), QStringLiteral("1 z 1"));
    const std::vector<std::pair<int, bool>> ze{
        {2, true},     {6, true},    {7, true},    {8, false},  {10, false}, {11, false},
        {12, true},    {15, false},  {17, true},   {19, false}, {20, true},  {25, true},
        {50, false},   {64, true},   {90, false},  {100, true}, {200, true}, {500, false},
        {1000, false}, {2000, true}, {5000, false}};
    for (const auto& [count, takesZe] : ze) {
        EXPECT_EQ(ofCount(1, count), QStringLiteral("1 %1 %2")
                                         .arg(takesZe ? QStringLiteral("ze") : QStringLiteral("z"))
                                         .arg(count))
            << count;
    }
}

} // namespace
} // namespace tarvelo::testing
