// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PracticeRules.h"

#include "BreedCatalogue.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

using namespace tarvelo;

namespace {

constexpr LocalDate today{20'000};
constexpr std::uint32_t seeds = 300;

std::vector<std::vector<int>> photosEach(int count) {
    std::vector<int> photos(static_cast<std::size_t>(count));
    std::iota(photos.begin(), photos.end(), 0);
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
                           missedSoFar[question.breed]++ < pupil.missesEach;
        std::optional<int> named;
        if (const auto it = pupil.confusedWith.find(question.breed);
            wrong && it != pupil.confusedWith.end()) {
            named = it->second;
        }
        rules.answer(!wrong, named);
        asked.push_back(Asked{question.breed, question.photo, !wrong, named});
    }
    return asked;
}

// Where `breed` is asked first after the question at `after`; the end when never.
int nextOf(const std::vector<Asked>& asked, int breed, int after) {
    const auto from = asked.begin() + std::min<std::ptrdiff_t>(after + 1, std::ssize(asked));
    const auto it =
        std::find_if(from, asked.end(), [&](const Asked& a) { return a.breed == breed; });
    return static_cast<int>(it - asked.begin());
}

// Whatever the pupil does, the rules hold: the practice ends with every
// breed known, within its bound, never the same breed twice in a row, a miss
// coming back after two to four others and once more later, a breed the
// answer named within the next three questions, and a breed showing every
// photograph the set has before any comes again.
TEST(PracticeRulesTest, PracticesEndWithinTheirBoundsAndKeepTheRules) {
    struct Case {
        const char* name;
        std::vector<int> breeds;
        Pupil pupil;
        std::size_t maxQuestions;
        int photos;
    };
    const std::vector<Case> cases{
        {"knows all", {}, Pupil{}, 19, 1},
        {"knows 15, misses 4 once", {}, {{2, 7, 11, 16}, 1, {}}, 19 + 4 * 3, 3},
        // Each confusion with a breed known already asks that breed once more;
        // when the last new breed is a missed one, the four left to come
        // between its questions are one short.
        {"misses 4 once, naming known breeds",
         {},
         {{2, 7, 11, 16}, 1, {{2, 3}, {7, 8}, {11, 12}, {16, 17}}},
         19 + 4 * 3 + 1,
         1},
        {"misses 4 once, naming each other",
         {},
         {{2, 7, 11, 16}, 1, {{2, 7}, {7, 2}, {11, 16}, {16, 11}}},
         19 + 4 * 3,
         1},
        {"misses 4 twice", {}, {{2, 7, 11, 16}, 2, {}}, 19 + 4 * 6, 2},
        {"misses 4 three times", {}, {{2, 7, 11, 16}, 3, {}}, 19 + 4 * 9, 5},
        {"the test's misses: one breed", {5}, {{5}, 1, {}}, 1 + 8, 1},
        {"the test's misses: two, naming a third", {5, 9}, {{5, 9}, 1, {{5, 0}}}, 3 + 3 * 8, 1},
    };
    for (const Case& c : cases) {
        for (std::uint32_t seed = 0; seed < seeds; ++seed) {
            SCOPED_TRACE(testing::Message() << c.name << ", seed " << seed);
            PracticeRules rules(c.breeds, photosEach(c.photos), LearningMemory{}, today, seed);
            const std::vector<Asked> asked = play(rules, c.pupil);
            ASSERT_TRUE(rules.finished());
            EXPECT_LE(asked.size(), c.maxQuestions);
            const int count = static_cast<int>(asked.size());
            std::map<int, std::vector<int>> shown; // by breed
            for (int i = 0; i < count; ++i) {
                const Asked& q = asked[static_cast<std::size_t>(i)];
                ASSERT_TRUE(i == 0 || q.breed != asked[static_cast<std::size_t>(i) - 1].breed)
                    << "question " << i + 1 << " asks the breed again";
                std::vector<int>& photos = shown[q.breed];
                const auto round =
                    static_cast<std::ptrdiff_t>(photos.size() % static_cast<std::size_t>(c.photos));
                EXPECT_EQ(std::count(photos.end() - round, photos.end(), q.photo), 0)
                    << "photograph " << q.photo << " again at question " << i + 1;
                photos.push_back(q.photo);
                if (q.right) {
                    continue;
                }
                const int back = nextOf(asked, q.breed, i);
                EXPECT_GE(back - i, 3) << "came back after fewer than two others";
                EXPECT_LE(back - i, 5) << "came back after more than four others, or never";
                EXPECT_LT(nextOf(asked, q.breed, back), count) << "none after the comeback";
                if (q.confused) {
                    EXPECT_LE(nextOf(asked, *q.confused, i) - i, confusedWithin);
                }
            }
        }
    }
}

// When a breed counts as known, told by answers alone. Breed 0 is practised;
// the others are asked from outside, as a practice of one breed does
// meanwhile, and always answered right. Steps: breed 0's answers, 'w' wrong,
// 'r' right, 'K' right and known from then on, each digit the others asked
// before the next one.
TEST(PracticeRulesTest, KnownAtTheFirstRightAnswerOrTwoSpacedRightOnesAfterAMiss) {
    for (const std::string_view steps : {"K", "w2r3K", "w2w2r3K", "w2r3w2r3K"}) {
        SCOPED_TRACE(steps);
        PracticeRules rules({0}, photosEach(1), LearningMemory{}, today, 1);
        ASSERT_EQ(rules.nextQuestion().breed, 0);
        for (std::size_t i = 0;; i += 2) {
            rules.answer(steps[i] != 'w');
            EXPECT_EQ(rules.finished(), steps[i] == 'K') << "answer " << i / 2 + 1;
            if (i + 1 == steps.size()) {
                break;
            }
            for (int other = 0; other < steps[i + 1] - '0'; ++other) {
                ASSERT_NE(rules.nextQuestion().breed, 0) << "breed 0 came back too soon";
                rules.answer(true);
            }
            // Breed 0 is due by now, or asked at once when nothing else is.
            while (rules.nextQuestion().breed != 0) {
                rules.answer(true);
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
        const std::vector<int>& order = rules.breedsAsked();
        EXPECT_EQ(std::set<int>(order.begin(), order.begin() + 3), (std::set<int>{3, 8, 14}));
        EXPECT_LE(std::abs(nextOf(asked, 10, -1) - nextOf(asked, 12, -1)), confusedWithin)
            << "seed " << seed;
    }
}

} // namespace
