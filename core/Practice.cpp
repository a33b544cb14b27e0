// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Practice.h"

#include "BreedCatalogue.h"
#include "PracticeTexts.h"
#include "Quiz.h"
#include "QuizRound.h"
#include "ResultPage.h"

#include <utility>

namespace tarvelo {

Practice::Practice(QuizView view, PracticeView items, Quiz& test, LearningMemory memory,
                   SaveMemory save, TodaySource today, SeedSource seedSource, PhotoLookup lookup)
    : view_(view), items_(items), test_(test), memory_(std::move(memory)), save_(std::move(save)),
      today_(std::move(today)), seedSource_(std::move(seedSource)), lookup_(std::move(lookup)) {}

void Practice::showDueCount() {
    const auto due = memory_.dueBreeds(today_()).size();
    items_.DueCount.setText(dueText(static_cast<std::int32_t>(due)));
    items_.DueCount.setVisible(true);
}

void Practice::showNotice(const std::string& text) {
    if (text.empty()) {
        return;
    }
    items_.Notice.setText(text);
    items_.Notice.setVisible(true);
}

void Practice::start(std::vector<int> breeds) {
    std::vector<std::vector<int>> photos;
    for (int breed = 0; breed < breedCount; ++breed) {
        photos.push_back(photosOfBreed(breed, lookup_));
    }
    rules_.emplace(std::move(breeds), std::move(photos), memory_, today_(), seedSource_());
    questionNumber_ = 0;
    errors_ = 0;
    saveFailureShown_ = false;

    view_.BitBtn1.setText(std::string(RoundPhase::answering));
    view_.GroupBox3.setVisible(false);
    hideConfusion(items_.confusion);
    view_.Edit1.setText({});
    view_.ComboBox1.clearSelection();
    view_.Edit1.setEnabled(true);
    view_.ComboBox1.setEnabled(true);
    items_.Progress.setText(progressText(rules_->knownCount(), rules_->breedTotal()));
    items_.Progress.setVisible(true);
    askNext();
}

void Practice::applyDifficulty() {
    test_.applyDifficulty();
}

void Practice::pressAnswerButton() {
    if (!rules_) {
        return;
    }
    if (view_.BitBtn1.text() == RoundPhase::reviewing) {
        view_.Edit1.setText({});
        view_.Edit1.setEnabled(true);
        view_.ComboBox1.setEnabled(true);
        view_.ComboBox1.clearSelection();
        view_.BitBtn1.setText(std::string(RoundPhase::answering));
        view_.GroupBox3.setVisible(false);
        hideConfusion(items_.confusion);
        askNext();
        return;
    }
    view_.Edit1.setEnabled(false);
    view_.ComboBox1.setEnabled(false);
    judge();
}

void Practice::askNext() {
    current_ = rules_->nextQuestion();
    ++questionNumber_;
    view_.Label6.setText(questionLabel(questionNumber_));
    loadPicture(current_);
}

void Practice::judge() {
    const std::string_view expected = answerName(current_.breed);
    const bool right = view_.ComboBox1.text() == expected || view_.Edit1.text() == expected;
    const std::optional<int> other = right ? std::nullopt : confusedBreed(view_, current_.breed);
    const PracticeAnswer result = rules_->answer(right, other);
    const LocalDate today = today_();
    if (result.firstOfBreed) {
        memory_.recordReview(current_.breed, right, today);
    }
    if (other) {
        memory_.recordConfusion(current_.breed, *other);
    }
    save();
    items_.Progress.setText(progressText(rules_->knownCount(), rules_->breedTotal()));

    if (!right) {
        ++errors_;
        showCorrection(other);
        return;
    }
    if (rules_->finished()) {
        finish();
        return;
    }
    view_.Edit1.setText({});
    view_.Edit1.setEnabled(true);
    view_.ComboBox1.setEnabled(true);
    view_.ComboBox1.clearSelection();
    askNext();
}

void Practice::showCorrection(std::optional<std::int32_t> other) {
    view_.GroupBox3.setVisible(true);
    view_.Label3.setText(std::string(answerName(current_.breed)));
    view_.BitBtn1.setText(std::string(RoundPhase::reviewing));
    view_.Label7.setText(errorLine(errors_, questionNumber_));
    if (other) {
        showConfusion(items_.confusion, *other, lookup_);
    } else {
        hideConfusion(items_.confusion);
    }
}

// The result page says how long it took; the quiz window is made ready for
// the test again, which the start window's "OK" plays as before.
void Practice::finish() {
    const std::int32_t questions = rules_->questionsAnswered();
    const std::int32_t total = rules_->breedTotal();
    rules_.reset();
    items_.Progress.setVisible(false);
    showResultPage(view_);
    view_.Label1.setText(practiceEndText(questions, total));
    showDueCount();
    test_.restartRound();
}

void Practice::save() {
    if (!save_) {
        return;
    }
    const std::optional<std::string> failure = save_(memory_);
    if (failure && !saveFailureShown_) {
        saveFailureShown_ = true;
        showNotice(saveFailedText(*failure));
    }
}

void Practice::loadPicture(const PracticeQuestion& question) {
    if (pictureAvailable(question.breed)) {
        view_.Image1.loadPicture(photoPath(question.breed, question.photo));
    }
}

} // namespace tarvelo
