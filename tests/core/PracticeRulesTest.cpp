// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PracticeRules.h"

#include "BreedCatalogue.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <vector>

using namespace tarvelo;

namespace {

constexpr LocalDate today{20'000};
constexpr std::uint32_t seeds = 300;

std::vector<std::vector<int>> photosEach(int count) {
    std::vector<int> photos;
    for (int photo = 0; photo < count; ++photo) {
        photos.push_back(photo);
    }
    return std::vector<std::vector<int>>(breedCount, photos);
}

// A pupil who misses each breed of `misses` a given number of times, each
// time naming `confusedWith` of it when given, and knows every other breed.
struct Pupil {
    std::set<int> misses;
    int missesEach = 1;
    std::map<int, int> confusedWith;
};

struct Asked {
    int breed;
    int photo;
    bool right;
    std::optional<int> confused;
};

// Plays a practice to its end (or a stop far beyond any sound length).
std::vector<Asked> play(PracticeRules& rules, const Pupil& pupil) {
    std::vector<Asked> asked;
    std::map<int, int> missedSoFar;
    while (!rules.finished() && asked.size() < 500) {
        const PracticeQuestion question = rules.nextQuestion();
        const bool wrong = pupil.misses.count(question.breed) > 0 &&
                           missedSoFar[question.breed] < pupil.missesEach;
        std::optional<int> named;
        if (wrong) {
            ++missedSoFar[question.breed];
            if (const auto it = pupil.confusedWith.find(question.breed);
                it != pupil.confusedWith.end()) {
                named = it->second;
            }
        }
        rules.answer(!wrong, named);
        asked.push_back(Asked{question.breed, question.photo, !wrong, named});
    }
    return asked;
}

std::vector<int> positionsOf(const std::vector<Asked>& asked, int breed) {
    std::vector<int> positions;
    for (std::size_t i = 0; i < asked.size(); ++i) {
        if (asked[i].breed == breed) {
            positions.push_back(static_cast<int>(i));
        }
    }
    return positions;
}

// Whatever the pupil does, the rules hold: the practice ends with every
// breed known, within its bound, never the same breed twice in a row, a miss
// coming back after two to four others and once more later, and a breed the
// answer named within the next three questions.
TEST(PracticeRulesTest, PracticesEndWithinTheirBoundsAndKeepTheRules) {
    struct Case {
        const char* name;
        std::vector<int> breeds;
        Pupil pupil;
        std::size_t maxQuestions;
    };
    const std::vector<Case> cases{
        {"knows all", {}, Pupil{}, 19},
        {"knows 15, misses 4 once", {}, {{2, 7, 11, 16}, 1, {}}, 19 + 4 * 3},
        // Each confusion with a breed known already asks that breed once more;
        // when the last new breed is a missed one, the four left to come
        // between its questions are one short.
        {"misses 4 once, naming known breeds",
         {},
         {{2, 7, 11, 16}, 1, {{2, 3}, {7, 8}, {11, 12}, {16, 17}}},
         19 + 4 * 3 + 1},
        {"misses 4 once, naming each other",
         {},
         {{2, 7, 11, 16}, 1, {{2, 7}, {7, 2}, {11, 16}, {16, 11}}},
         19 + 4 * 3},
        {"misses 4 twice", {}, {{2, 7, 11, 16}, 2, {}}, 19 + 4 * 6},
        {"the test's misses: one breed", {5}, {{5}, 1, {}}, 1 + 8},
        {"the test's misses: two, naming a third", {5, 9}, {{5, 9}, 1, {{5, 0}}}, 3 + 3 * 8},
    };
    for (const Case& c : cases) {
        for (std::uint32_t seed = 0; seed < seeds; ++seed) {
            SCOPED_TRACE(testing::Message() << c.name << ", seed " << seed);
            PracticeRules rules(c.breeds, photosEach(1), LearningMemory{}, today, seed);
            const std::vector<Asked> asked = play(rules, c.pupil);
            ASSERT_TRUE(rules.finished());
            EXPECT_LE(asked.size(), c.maxQuestions);
            EXPECT_EQ(rules.knownCount(), rules.breedTotal());
            EXPECT_EQ(rules.questionsAnswered(), static_cast<std::int32_t>(asked.size()));
            for (std::size_t i = 1; i < asked.size(); ++i) {
                ASSERT_NE(asked[i].breed, asked[i - 1].breed) << "question " << i + 1;
            }
            for (std::size_t i = 0; i < asked.size(); ++i) {
                if (asked[i].right) {
                    continue;
                }
                const std::vector<int> later = positionsOf(asked, asked[i].breed);
                const auto next = std::upper_bound(later.begin(), later.end(), static_cast<int>(i));
                ASSERT_NE(next, later.end()) << "a miss never came back";
                const int gap = *next - static_cast<int>(i);
                EXPECT_GE(gap, 3) << "came back after fewer than two others";
                EXPECT_LE(gap, 5) << "came back after more than four others";
                EXPECT_NE(std::next(next), later.end()) << "no later question after the comeback";
                if (asked[i].confused) {
                    const std::vector<int> other = positionsOf(asked, *asked[i].confused);
                    const auto soon =
                        std::upper_bound(other.begin(), other.end(), static_cast<int>(i));
                    ASSERT_NE(soon, other.end()) << "the confused breed never came";
                    EXPECT_LE(*soon - static_cast<int>(i), confusedWithin);
                }
            }
        }
    }
}

// When a breed counts as known, told by answers alone.
TEST(PracticeRulesTest, KnownAtTheFirstRightAnswerOrTwoSpacedRightOnesAfterAMiss) {
    struct Case {
        const char* name;
        // Answers to breed 0 in turn; the other breed is always right.
        std::vector<bool> answers;
        // Others asked before each of those answers to breed 0.
        std::vector<int> othersBefore;
        std::vector<bool> knownAfter;
    };
    const std::vector<Case> cases{
        {"right at once", {true}, {0}, {true}},
        {"missed, then two right with three between",
         {false, true, true},
         {0, 2, 3},
         {false, false, true}},
        {"missed twice in a row",
         {false, false, true, true},
         {0, 2, 2, 3},
         {false, false, false, true}},
        {"missed, right, missed again",
         {false, true, false, true, true},
         {0, 2, 3, 2, 3},
         {false, false, false, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Breed 0 is practised; the others are asked from outside, as a
        // practice of one breed does meanwhile, and always answered right.
        PracticeRules rules({0}, photosEach(1), LearningMemory{}, today, 1);
        ASSERT_EQ(rules.nextQuestion().breed, 0);
        for (std::size_t i = 0; i < c.answers.size(); ++i) {
            if (i > 0) {
                for (int other = 0; other < c.othersBefore[i]; ++other) {
                    const PracticeQuestion question = rules.nextQuestion();
                    ASSERT_NE(question.breed, 0) << "breed 0 came back too soon";
                    rules.answer(true);
                }
                // Breed 0 is due by now, or asked at once when nothing else is.
                PracticeQuestion question = rules.nextQuestion();
                while (question.breed != 0) {
                    rules.answer(true);
                    question = rules.nextQuestion();
                }
            }
            rules.answer(c.answers[i]);
            EXPECT_EQ(rules.finished(), c.knownAfter[i]) << "answer " << i + 1;
        }
    }
}

// A breed shows every photograph the set has before any comes again.
TEST(PracticeRulesTest, ShowsPhotographsNotShownYetFirst) {
    struct Case {
        int photos;
        int misses;
    };
    for (const Case c : std::vector<Case>{{3, 2}, {5, 3}, {2, 3}}) {
        for (std::uint32_t seed = 0; seed < 50; ++seed) {
            PracticeRules rules({}, photosEach(c.photos), LearningMemory{}, today, seed);
            const std::vector<Asked> asked = play(rules, Pupil{{4}, c.misses, {}});
            std::vector<int> shown;
            for (const Asked& question : asked) {
                if (question.breed == 4) {
                    shown.push_back(question.photo);
                }
            }
            for (std::size_t i = 0; i < shown.size(); ++i) {
                const std::size_t roundStart = i - i % static_cast<std::size_t>(c.photos);
                const auto first = shown.begin() + static_cast<std::ptrdiff_t>(roundStart);
                const auto here = shown.begin() + static_cast<std::ptrdiff_t>(i);
                EXPECT_EQ(std::find(first, here, shown[i]), here)
                    << "photograph " << shown[i] << " again at its question " << i + 1;
            }
        }
    }
}

// What the memory brings: due breeds first, remembered pairs close together.
TEST(PracticeRulesTest, DueBreedsComeFirstAndRememberedPairsCloseTogether) {
    LearningMemory memory;
    for (const int breed : {3, 8, 14}) {
        memory.setReview(breed, BreedReview{2, today});
    }
    memory.setReview(6, BreedReview{3, today.plusDays(1)}); // due tomorrow, not today
    memory.setConfusion(Confusion{10, 12, 2});
    for (std::uint32_t seed = 0; seed < seeds; ++seed) {
        PracticeRules rules({}, photosEach(1), memory, today, seed);
        const std::vector<Asked> asked = play(rules, Pupil{});
        const std::vector<int> firstThree{rules.breedsAsked().begin(),
                                          rules.breedsAsked().begin() + 3};
        EXPECT_EQ(std::set<int>(firstThree.begin(), firstThree.end()), (std::set<int>{3, 8, 14}));
        const int at10 = positionsOf(asked, 10).front();
        const int at12 = positionsOf(asked, 12).front();
        EXPECT_LE(std::abs(at10 - at12), confusedWithin) << "seed " << seed;
    }
}

} // namespace
