// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LearningMemory.h"
#include "QuizRandom.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tarvelo {

// The rules of one practice, without any view: which breed and photograph
// come next, what an answer changes, when the practice is over.
//
// - Questions mix the breeds and never ask the same breed twice in a row.
// - A breed shows a photograph this practice has not shown yet while there is one.
// - Breeds due for review come first, then the others, in a mixed order; a
//   breed remembered as confused with another is followed closely by it.
// - A wrong answer brings the breed back after two to four other questions,
//   and again later; when the answer named another breed, that breed comes
//   within the next three questions.
// - A breed is known when answered right at its first question, or, once
//   missed, after two right answers in a row with at least three other
//   questions between them.
// - The practice is over when every breed in it is known. Where only breeds
//   waiting for their turn are left, a known one is asked meanwhile.

// When a missed breed comes back: after at least / at most this many others.
inline constexpr std::int32_t comebackAfterAtLeast = 2;
inline constexpr std::int32_t comebackAfterAtMost = 4;
// Others between the two right answers that make a missed breed known.
inline constexpr std::int32_t knownAfterGap = 3;
// A confused breed comes within this many questions.
inline constexpr std::int32_t confusedWithin = 3;

struct PracticeQuestion {
    std::int32_t breed = 0;
    std::int32_t photo = 0; // obr/<photo>/<breed>.jpg
};

struct PracticeAnswer {
    bool right = false;
    // The other breed a wrong answer named, if it named one.
    std::optional<std::int32_t> confusedWith;
    // This answer made the breed known.
    bool breedNowKnown = false;
    // The breed's first answer in this practice: the one that counts as its
    // review across days (LearningMemory::recordReview).
    bool firstOfBreed = false;
};

class PracticeRules {
public:
    // breeds: the breeds to practise, each once, in any order (an empty list or
    // one outside the catalogue is taken as all 19 / skipped). photos[b]: the
    // photographs breed b has in the set, as BreedPhotos' photosOfBreed gives;
    // an empty entry stands for photograph 0. memory: which breeds are due
    // today and which pairs were confused.
    PracticeRules(std::vector<int> breeds, std::vector<std::vector<int>> photos,
                  const LearningMemory& memory, LocalDate today, std::uint32_t seed);

    // The next question; the first call picks the first one. Call answer()
    // before asking again. Not to be called once finished().
    PracticeQuestion nextQuestion();
    // The answer to the question last given. confusedWith is another breed the
    // answer named (ignored when right or when it is the breed asked); a breed
    // outside this practice joins it, as it is evidently not known either.
    PracticeAnswer answer(bool right, std::optional<std::int32_t> confusedWith = std::nullopt);

    bool finished() const;
    std::int32_t knownCount() const;
    std::int32_t breedTotal() const { return static_cast<std::int32_t>(items_.size()); }
    // Questions answered so far.
    std::int32_t questionsAnswered() const { return answered_; }
    // Breeds this practice has asked at least once, in the order first asked.
    const std::vector<int>& breedsAsked() const { return askedOrder_; }

private:
    struct Item {
        std::int32_t breed = 0;
        bool asked = false;
        bool known = false;
        bool missed = false;       // missed at least once in this practice
        bool lastWasRight = false; // its last answer in this practice
        std::int32_t lastRightAt = 0;
        std::int32_t lastAskedAt = 0;
        std::int32_t dueAt = 0;               // not asked before this question number
        std::optional<std::int32_t> deadline; // asked by this question number
    };

    static Item newItem(std::int32_t breed);
    Item* find(std::int32_t breed);
    Item& join(std::int32_t breed);
    void bringSoon(Item& item, std::int32_t question);
    std::int32_t chooseBreed();
    // The steps of chooseBreed, in its order; each nothing when it has none.
    std::optional<std::int32_t> urgentBreed(std::int32_t question) const;
    std::optional<std::int32_t> nextNewBreed();
    std::optional<std::int32_t> waitingBreed(std::int32_t question) const;
    std::int32_t meanwhileBreed();
    std::int32_t choosePhoto(std::int32_t breed);

    std::vector<Item> items_;
    // Breeds not yet asked, the next first at the back.
    std::vector<std::int32_t> firstOrder_;
    std::vector<std::vector<int>> photos_;
    std::vector<std::vector<int>> photosShown_;
    std::vector<std::int32_t> lastAskedOf_; // by breed, for questions asked meanwhile
    std::vector<bool> answeredOnce_;        // by breed
    LearningMemory memory_;
    QuizRandom random_;
    std::vector<int> askedOrder_;
    std::optional<std::int32_t> currentBreed_;
    std::int32_t answered_ = 0;
    std::int32_t lastBreed_ = -1;
};

} // namespace tarvelo
