// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedCatalogue.h"
#include "LocalDate.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tarvelo {

// What practice has learnt about one account, kept across days: for each
// breed how well it is known and when it is due again, and which breeds it
// was taken for. A plain value; learning/LearningStore keeps it on disk and
// LearningText gives its text form.

// The review intervals in days: a right review moves one step on, a wrong one
// goes back to the first.
inline constexpr std::array<std::int32_t, 5> reviewIntervals{1, 2, 4, 8, 16};
// A confusion is counted up to this many times; the count only orders pairs.
inline constexpr std::int32_t maxConfusionCount = 99;

struct BreedReview {
    // 0: never practised; 1 .. 5: the step of reviewIntervals reached, so
    // "how well it is known".
    std::int32_t level = 0;
    LocalDate due{}; // meaningful when level > 0

    friend bool operator==(const BreedReview&, const BreedReview&) = default;
};

// The answer to a photograph of `shown` named `answered` instead.
struct Confusion {
    std::int32_t shown = 0;
    std::int32_t answered = 0;
    std::int32_t count = 1;

    friend bool operator==(const Confusion&, const Confusion&) = default;
};

class LearningMemory {
public:
    const BreedReview& review(int breed) const;
    // Breeds practised before whose review day has come (due <= today), in
    // catalogue order.
    std::vector<int> dueBreeds(LocalDate today) const;
    bool practised(int breed) const { return review(breed).level > 0; }

    // The first answer to `breed` in a practice. A wrong one sets it back to
    // the first step, due tomorrow. A right one moves it a step on (doubling
    // the interval, at most 16 days), but only when it was due or new: being
    // right again before the day a review falls on proves nothing new.
    void recordReview(int breed, bool right, LocalDate today);

    // Counts the pair (the same pair at most maxConfusionCount times).
    void recordConfusion(int shown, int answered);
    // Every remembered pair, most frequent first (then by shown, answered).
    std::vector<Confusion> confusions() const;
    // The breeds `breed` was confused with either way round, most frequent first.
    std::vector<int> confusedWith(int breed) const;

    // For the text form: sets a breed's record or a pair as read.
    void setReview(int breed, BreedReview review);
    void setConfusion(Confusion confusion);

    friend bool operator==(const LearningMemory&, const LearningMemory&) = default;

private:
    std::array<BreedReview, breedCount> reviews_{};
    // [shown][answered]; 0 when never confused. 19 x 19 bounds the memory.
    std::array<std::array<std::int32_t, breedCount>, breedCount> confusions_{};
};

} // namespace tarvelo
