// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LearningMemory.h"

#include "LearningText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace tarvelo;

namespace {

constexpr LocalDate day0{20'000};

// Reviews on given days: the level and the day the next one falls on.
TEST(LearningMemoryTest, ReviewsDoubleTheIntervalAndAMissGoesBackToOneDay) {
    struct Step {
        int day;
        bool right;
        int level;
        int dueDay;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases{
        {"right on each due day, up to 16 days",
         {{0, true, 1, 1},
          {1, true, 2, 3},
          {3, true, 3, 7},
          {7, true, 4, 15},
          {15, true, 5, 31},
          {31, true, 5, 47}}},
        {"a miss goes back to one day",
         {{0, true, 1, 1}, {1, true, 2, 3}, {3, false, 1, 4}, {4, true, 2, 6}}},
        {"a miss on the first day", {{0, false, 1, 1}, {1, true, 2, 3}}},
        {"right before the day changes nothing",
         {{0, true, 1, 1}, {1, true, 2, 3}, {2, true, 2, 3}}},
        {"late reviews count from the day they happen", {{0, true, 1, 1}, {9, true, 2, 11}}},
        {"a miss before the day still counts",
         {{0, true, 1, 1}, {1, true, 2, 3}, {2, false, 1, 3}}},
    };
    for (const Case& c : cases) {
        LearningMemory memory;
        for (const Step& step : c.steps) {
            SCOPED_TRACE(testing::Message() << c.name << ", day " << step.day);
            memory.recordReview(5, step.right, day0.plusDays(step.day));
            EXPECT_EQ(memory.review(5), (BreedReview{step.level, day0.plusDays(step.dueDay)}));
        }
        EXPECT_FALSE(memory.practised(6));
    }
}

TEST(LearningMemoryTest, DueBreedsAndConfusedPairs) {
    LearningMemory memory;
    memory.recordReview(2, true, day0);  // due day 1
    memory.recordReview(9, false, day0); // due day 1
    memory.recordReview(4, true, day0);
    memory.recordReview(4, true, day0.plusDays(1)); // due day 3
    const std::vector<std::pair<int, std::vector<int>>> dueOn{
        {0, {}}, {1, {2, 9}}, {2, {2, 9}}, {3, {2, 4, 9}}};
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
}

TEST(LearningMemoryTest, TextFormReadsBackWhatItWrote) {
    LearningMemory memory;
    EXPECT_EQ(learningText(memory), "tarvelo-learning 1\n");
    memory.recordReview(0, true, day0);
    memory.recordReview(18, false, day0.plusDays(3));
    memory.recordConfusion(4, 11);
    memory.recordConfusion(4, 11);
    memory.recordConfusion(11, 4);
    const std::string text = learningText(memory);
    EXPECT_EQ(text, "tarvelo-learning 1\n"
                    "breed 0 1 2024-10-05\n"
                    "breed 18 1 2024-10-08\n"
                    "confused 4 11 2\n"
                    "confused 11 4 1\n");
    const ParsedLearning parsed = parseLearningText(text);
    ASSERT_TRUE(parsed.memory);
    EXPECT_EQ(*parsed.memory, memory);
}

// Anything but what learningText writes is refused, and why.
TEST(LearningMemoryTest, TextFormRefusesDamagedForeignAndOversizedText) {
    const std::string header = "tarvelo-learning 1\n";
    const std::string manyPairs = [] {
        std::string text = "tarvelo-learning 1\n";
        while (text.size() <= maxLearningTextBytes) {
            text += "confused 1 2 3\n";
        }
        return text;
    }();
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
