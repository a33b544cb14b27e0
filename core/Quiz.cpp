// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Quiz.h"

#include "BreedCatalogue.h"
#include "ResultPage.h"

#include <algorithm>
#include <utility>

namespace tarvelo {

namespace {
std::size_t slot(std::int32_t index) {
    return static_cast<std::size_t>(index);
}
} // namespace

Quiz::Quiz(QuizView view, SeedSource seedSource, PhotoLookup lookup)
    : view_(view), seedSource_(std::move(seedSource)), lookup_(std::move(lookup)) {}

void Quiz::prepareFirstQuestion() {
    for (int i = 0; i <= BreedCatalogue::lastChoiceIndex; ++i) {
        view_.ComboBox1.appendEntry(std::string(BreedCatalogue::choices[slot(i)]));
    }
    random_.seed(seedSource_());
    round_.currentPicture = 0;
    currentPhoto_ = 0;
    loadCurrentPicture();
    round_.askedHistory[slot(round_.questionNumber)] = round_.currentPicture;
    round_.questionNumber = 1;
    view_.Label6.setText(questionLabel(round_.questionNumber));
}

void Quiz::applyDifficulty() {
    view_.Form2.setVisible(false);
    if (view_.RadioButton1.checked()) {
        round_.difficulty = Difficulty::Beginner;
        view_.ComboBox1.setVisible(true);
        view_.Edit1.setVisible(false);
    } else if (view_.RadioButton2.checked()) {
        round_.difficulty = Difficulty::Advanced;
        view_.Edit1.setVisible(true);
        view_.ComboBox1.setVisible(false);
    }
}

void Quiz::pressAnswerButton() {
    if (view_.BitBtn1.text() == RoundPhase::finished) {
        finishRound(round_.errorCount + 1); // the wrong 19th answer, not yet counted
        return;
    }

    view_.Edit1.setEnabled(false);
    view_.ComboBox1.setEnabled(false);
    const bool correct = answerIsCorrect();

    if (round_.questionNumber == questionsPerRound) {
        if (correct) {
            finishRound(round_.errorCount);
        } else {
            // The 19th error is shown but only counted when the result is shown.
            showCorrection(round_.errorCount + 1);
            view_.BitBtn1.setText(std::string(RoundPhase::finished));
            noteMiss();
        }
        return;
    }

    if (correct) {
        goToNextQuestion();
        return;
    }

    ++round_.errorCount;
    view_.GroupBox3.setVisible(true);
    view_.Label3.setText(std::string(answerName(round_.currentPicture)));
    view_.BitBtn1.setText(std::string(RoundPhase::reviewing));
    view_.Edit1.setEnabled(false);
    view_.ComboBox1.setEnabled(false);
    view_.Label7.setText(errorLine(round_.errorCount, round_.questionNumber));
    noteMiss();
}

void Quiz::showConfusionsIn(ConfusionView view) {
    confusion_.emplace(view);
}

void Quiz::restartRound() {
    missedThisRound_.clear();
    if (confusion_) {
        hideConfusion(*confusion_);
    }
    prepareNextRound();
}

// After the correction's own steps, so that the test shows what it always did
// even where the other breed's photograph fails.
void Quiz::noteMiss() {
    missedThisRound_.push_back(round_.currentPicture);
    if (!confusion_) {
        return;
    }
    if (const auto other = confusedBreed(view_, round_.currentPicture)) {
        showConfusion(*confusion_, *other, lookup_);
    } else {
        hideConfusion(*confusion_);
    }
}

bool Quiz::answerIsCorrect() const {
    const std::string_view expected = answerName(round_.currentPicture);
    return view_.ComboBox1.text() == expected || view_.Edit1.text() == expected ||
           view_.BitBtn1.text() == RoundPhase::reviewing;
}

void Quiz::goToNextQuestion() {
    if (view_.BitBtn1.text() == RoundPhase::reviewing) {
        view_.Edit1.setText({});
    }
    view_.Edit1.setEnabled(true);
    view_.ComboBox1.setEnabled(true);
    view_.ComboBox1.clearSelection();
    view_.Edit1.setText({});
    view_.BitBtn1.setText(std::string(RoundPhase::answering));
    view_.GroupBox3.setVisible(false);
    if (confusion_) {
        hideConfusion(*confusion_);
    }

    // After a failed load of picture 0 the round runs one question short of
    // its pictures; with nothing left to draw the round ends instead of
    // drawing for ever.
    if (!anyPictureLeft()) {
        finishRound(round_.errorCount);
        return;
    }
    drawNextPicture();
    drawPhotoOfBreed();
    round_.askedHistory[slot(round_.questionNumber)] = round_.currentPicture;
    ++round_.questionNumber;
    view_.Label6.setText(questionLabel(round_.questionNumber));
    loadCurrentPicture();
}

// Slots 0 .. questionNumber are excluded; the last of them is always 0.
bool Quiz::anyPictureLeft() const {
    const auto first = round_.askedHistory.begin();
    const auto last = first + std::min<std::ptrdiff_t>(round_.questionNumber + 1,
                                                       static_cast<std::ptrdiff_t>(historySlots));
    for (std::int32_t index = 0; index < breedCount; ++index) {
        if (std::find(first, last, index) == last) {
            return true;
        }
    }
    return false;
}

// Only called while anyPictureLeft(): the generator has full period, so the
// loop always meets a free index.
void Quiz::drawNextPicture() {
    random_.seed(seedSource_());
    const auto first = round_.askedHistory.begin();
    const auto last = first + round_.questionNumber + 1;
    do {
        round_.currentPicture = random_.draw(breedCount);
    } while (std::find(first, last, round_.currentPicture) != last);
}

// The generator goes on from the breed's draw without a reseed: the breeds
// come in the order they always did, and the photograph is a second, separate
// draw with equal chances among the breed's photographs. With only one there
// is nothing to draw, so a one-photograph set uses the generator as before.
void Quiz::drawPhotoOfBreed() {
    const std::vector<int> photos = photosOfBreed(round_.currentPicture, lookup_);
    currentPhoto_ = photos.size() == 1 ? photos.front()
                                       : photos[static_cast<std::size_t>(random_.draw(
                                             static_cast<std::int32_t>(photos.size())))];
}

void Quiz::showCorrection(std::int32_t errors) {
    view_.GroupBox3.setVisible(true);
    view_.Label3.setText(std::string(answerName(round_.currentPicture)));
    view_.Label7.setText(errorLine(errors, round_.questionNumber));
}

void Quiz::finishRound(std::int32_t errors) {
    lastRoundMissed_ = std::move(missedThisRound_);
    missedThisRound_.clear();
    if (confusion_) {
        hideConfusion(*confusion_);
    }
    showResultPage();
    view_.Label1.setText(resultText(round_.difficulty, errors, round_.questionNumber));
    prepareNextRound();
}

void Quiz::showResultPage() {
    tarvelo::showResultPage(view_);
}

void Quiz::prepareNextRound() {
    view_.BitBtn1.setText(std::string(RoundPhase::answering));
    round_.questionNumber = 0;
    round_.errorCount = 0;
    round_.askedHistory.fill(0);
    round_.currentPicture = 0;
    currentPhoto_ = 0;
    loadCurrentPicture();
    round_.askedHistory[0] = 0;
    round_.questionNumber = 1;
    view_.Label6.setText(questionLabel(round_.questionNumber));
    view_.GroupBox3.setVisible(false);
    view_.Edit1.setText({});
    view_.ComboBox1.clearSelection();
    view_.Edit1.setEnabled(true);
    view_.ComboBox1.setEnabled(true);
}

void Quiz::loadCurrentPicture() {
    if (pictureAvailable(round_.currentPicture)) {
        view_.Image1.loadPicture(photoPath(round_.currentPicture, currentPhoto_));
    }
}

} // namespace tarvelo
