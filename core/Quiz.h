// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedPhotos.h"
#include "ConfusionView.h"
#include "QuizRandom.h"
#include "QuizRound.h"
#include "ViewItems.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tarvelo {

// The three operations that move a round, bound to the view items of both
// windows. A picture load that throws ends the operation at that step (the
// steps before it stay done) and the exception travels on to the caller.
class Quiz {
public:
    using SeedSource = std::function<std::uint32_t()>;

    // lookup tells which of a breed's photographs the set holds; it is asked
    // only when a question of that breed comes up.
    explicit Quiz(QuizView view, SeedSource seedSource = clockSeed,
                  PhotoLookup lookup = photoFileExists);

    // Once, when the quiz window is created: fills the list, shows picture 0 as question 1.
    void prepareFirstQuestion();
    // When the start window's "OK" brings the player to the quiz window.
    void applyDifficulty();
    // Every press of the answer button, by click or Enter.
    void pressAnswerButton();

    const QuizRound& round() const { return round_; }

    // When a wrong answer names another breed, also show that breed in the
    // correction panel (the windows bind it; without it nothing changes).
    void showConfusionsIn(ConfusionView view);
    // The breeds the last finished round answered wrong, in the order asked;
    // empty before any round ended. For a practice of just those.
    const std::vector<int>& lastRoundMissed() const { return lastRoundMissed_; }
    // Makes the next round ready, as after a round's result: question 1 with
    // picture 0, empty enabled inputs, "OK". For when a practice used the
    // quiz window.
    void restartRound();

private:
    bool answerIsCorrect() const;
    bool anyPictureLeft() const;
    void drawNextPicture();
    void drawPhotoOfBreed();
    void goToNextQuestion();
    void showCorrection(std::int32_t errors);
    void finishRound(std::int32_t errors);
    void showResultPage();
    void prepareNextRound();
    void loadCurrentPicture();
    void noteMiss();

    QuizView view_;
    SeedSource seedSource_;
    PhotoLookup lookup_;
    QuizRandom random_;
    QuizRound round_;
    // Which of currentPicture's photographs is on display: obr/<currentPhoto_>.
    int currentPhoto_ = 0;
    std::optional<ConfusionView> confusion_;
    std::vector<int> missedThisRound_;
    std::vector<int> lastRoundMissed_;
};

} // namespace tarvelo
