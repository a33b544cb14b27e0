// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LearningMemory.h"

#include "LearningText.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace tarvelo;

namespace {

constexpr LocalDate day0{20'000};

// Reviews on given days: the level and the day the next one falls on.
TEST(LearningMemoryTest, ReviewsDoubleTheIntervalAndAMissGoesBackToOneDay) {
    struct Step {
        int breed;
        int day;
        bool right;
        int level;
        int dueDay;
    };
    // Breed 5: right on each due day (1, 2, 4, 8, 16 days, 16 at most); a miss
    // on the day goes back to one day; right before the day changes nothing,
    // a miss before it still counts; a late review counts from the day it
    // happens. Breed 6: a miss on the first day.
    const std::vector<Step> steps{{5, 0, true, 1, 1},    {5, 1, true, 2, 3},   {5, 3, true, 3, 7},
                                  {5, 7, true, 4, 15},   {5, 15, true, 5, 31}, {5, 31, true, 5, 47},
                                  {5, 47, false, 1, 48}, {5, 48, true, 2, 50}, {5, 49, true, 2, 50},
                                  {5, 49, false, 1, 50}, {5, 60, true, 2, 62}, {6, 0, false, 1, 1},
                                  {6, 1, true, 2, 3}};
    LearningMemory memory;
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "breed " << step.breed << ", day " << step.day);
        memory.recordReview(step.breed, step.right, day0.plusDays(step.day));
        EXPECT_EQ(memory.review(step.breed), (BreedReview{step.level, day0.plusDays(step.dueDay)}));
    }
    EXPECT_FALSE(memory.practised(7));
}

// Due breeds and confused pairs, and the text form that keeps them: written
// exactly, read back the same.
TEST(LearningMemoryTest, DueBreedsConfusedPairsAndTheirTextForm) {
    EXPECT_EQ(learningText(LearningMemory{}), "tarvelo-learning 1\n");
    LearningMemory memory;
    memory.recordReview(0, true, day0);   // due day 1
    memory.recordReview(18, false, day0); // due day 1
    memory.recordReview(4, true, day0);
    memory.recordReview(4, true, day0.plusDays(1)); // due day 3
    const std::vector<std::pair<int, std::vector<int>>> dueOn{
        {0, {}}, {1, {0, 18}}, {2, {0, 18}}, {3, {0, 4, 18}}};
    for (const auto& [day, due] : dueOn) {
        EXPECT_EQ(memory.dueBreeds(day0.plusDays(day)), due) << "day " << day;
    }

    for (int i = 0; i < 150; ++i) {
        memory.recordConfusion(7, 8);
    }
    memory.recordConfusion(8, 7);
    memory.recordConfusion(3, 7);
    memory.recordConfusion(3, 7);
    memory.recordConfusion(3, 3); // not a confusion
    EXPECT_EQ(memory.confusions(),
              (std::vector<Confusion>{{7, 8, maxConfusionCount}, {3, 7, 2}, {8, 7, 1}}));
    EXPECT_EQ(memory.confusedWith(7), (std::vector<int>{8, 3}));
    EXPECT_EQ(memory.confusedWith(3), (std::vector<int>{7}));
    EXPECT_TRUE(memory.confusedWith(0).empty());
    EXPECT_THROW(memory.recordConfusion(3, 19), std::out_of_range);

    const std::string text = learningText(memory);
    EXPECT_EQ(text, "tarvelo-learning 1\n"
                    "breed 0 1 2024-10-05\n"
                    "breed 4 2 2024-10-07\n"
                    "breed 18 1 2024-10-05\n"
                    "confused 7 8 99\n"
                    "confused 3 7 2\n"
                    "confused 8 7 1\n");
    EXPECT_EQ(parseLearningText(text).memory, memory);
}

// Anything but what learningText writes is refused, and why.
TEST(LearningMemoryTest, TextFormRefusesDamagedForeignAndOversizedText) {
    const std::string header = "tarvelo-learning 1\n";
    std::string manyPairs = header;
    while (manyPairs.size() <= maxLearningTextBytes) {
        manyPairs += "confused 1 2 3\n";
    }
    struct Case {
        std::string text;
        LearningTextProblem problem;
    };
    const std::vector<Case> cases{
        {"", LearningTextProblem::Foreign},
        {"tarvelo-learning 2\n", LearningTextProblem::Foreign},
        {"\x89PNG\r\n\x1a\n", LearningTextProblem::Foreign},
        {"tarvelo-learning 1", LearningTextProblem::Damaged},
        {header + "breed 3 1 2026-12-10", LearningTextProblem::Damaged},
        {header + "breed 19 1 2026-12-10\n", LearningTextProblem::Damaged},
        {header + "breed -1 1 2026-12-10\n", LearningTextProblem::Damaged},
        {header + "breed 03 1 2026-12-10\n", LearningTextProblem::Damaged},
        {header + "breed 3 0 2026-12-10\n", LearningTextProblem::Damaged},
        {header + "breed 3 6 2026-12-10\n", LearningTextProblem::Damaged},
        {header + "breed 3 1 2026-02-30\n", LearningTextProblem::Damaged},
        {header + "breed 3 1 1999-12-31\n", LearningTextProblem::Damaged},
        {header + "breed 3 1 2026-1-10\n", LearningTextProblem::Damaged},
        {header + "breed 3 1 2026-12-10\nbreed 3 2 2026-12-11\n", LearningTextProblem::Damaged},
        {header + "breed 3 1 2026-12-10 \n", LearningTextProblem::Damaged},
        {header + "breed  3 1 2026-12-10\n", LearningTextProblem::Damaged},
        {header + "breed 3 1 2026-12-10\r\n", LearningTextProblem::Damaged},
        {header + "\n", LearningTextProblem::Damaged},
        {header + "confused 3 3 1\n", LearningTextProblem::Damaged},
        {header + "confused 3 4 0\n", LearningTextProblem::Damaged},
        {header + "confused 3 4 100\n", LearningTextProblem::Damaged},
        {header + "confused 3 4 1\nconfused 3 4 2\n", LearningTextProblem::Damaged},
        {header + std::string("breed 3 1 2026-12-10\0\n", 22), LearningTextProblem::Damaged},
        {header + "due 3 1 2026-12-10\n", LearningTextProblem::Damaged},
        {manyPairs, LearningTextProblem::Oversized},
    };
    for (const Case& c : cases) {
        const ParsedLearning parsed = parseLearningText(c.text);
        EXPECT_FALSE(parsed.memory) << c.text;
        EXPECT_EQ(parsed.problem, c.problem) << c.text;
    }
}

} // namespace
