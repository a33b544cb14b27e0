// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedPhotos.h"
#include "LearningMemory.h"
#include "LocalDate.h"
#include "PracticeRules.h"
#include "PracticeView.h"
#include "QuizRandom.h"
#include "ViewItems.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

class Quiz;

// Practice in the quiz window: the same items, button captions ("OK",
// "NEXT"), keys and correction panel as the test, with PracticeRules choosing
// the questions, the progress shown throughout, a confusion shown beside the
// correction, and the account's memory saved after every answer.
//
// The window sends the answer button to whichever of Quiz and Practice is
// running(). When a practice ends, the start window's result page shows how
// many questions it took, and the test's next round is made ready again
// (Quiz::restartRound), as after a test.
class Practice {
public:
    // Saves the memory; returns nullopt on success, else the reason in Czech.
    // Called after every answer.
    using SaveMemory = std::function<std::optional<std::string>(const LearningMemory&)>;
    using SeedSource = std::function<std::uint32_t()>;

    Practice(QuizView view, PracticeView items, Quiz& test, LearningMemory memory, SaveMemory save,
             TodaySource today, SeedSource seedSource = clockSeed,
             PhotoLookup lookup = photoFileExists);

    // Start window: writes how many breeds are due today into DueCount.
    void showDueCount();
    // Shows a sentence once in Notice (such as LearningStore's notice).
    void showNotice(const std::string& text);

    // From the start window: a practice of `breeds` (empty: all 19; the
    // test's Quiz::lastRoundMissed for "Procvičit chyby"), its first question
    // on the quiz window and the progress shown. Due breeds come first.
    void start(std::vector<int> breeds = {});
    // As the test's: when the quiz window gets the focus from the start
    // window; hides the start window and shows the list or the field as
    // the difficulty radio buttons say.
    void applyDifficulty();
    // Every press of the answer button while running().
    void pressAnswerButton();

    // Between start() and the end of that practice.
    bool running() const { return rules_.has_value(); }
    // Number of the question on display (1 ..), for what screen readers hear.
    std::int32_t questionNumber() const { return questionNumber_; }
    const LearningMemory& memory() const { return memory_; }
    // The practice running, for tests and the benchmark; nullptr when none.
    const PracticeRules* rules() const { return rules_ ? &*rules_ : nullptr; }

private:
    void askNext();
    void judge();
    void showCorrection(std::optional<std::int32_t> other);
    void finish();
    void save();
    void loadPicture(const PracticeQuestion& question);

    QuizView view_;
    PracticeView items_;
    Quiz& test_;
    LearningMemory memory_;
    SaveMemory save_;
    TodaySource today_;
    SeedSource seedSource_;
    PhotoLookup lookup_;
    std::optional<PracticeRules> rules_;
    PracticeQuestion current_{};
    std::int32_t questionNumber_ = 0;
    std::int32_t errors_ = 0;
    bool saveFailureShown_ = false;
};

} // namespace tarvelo
