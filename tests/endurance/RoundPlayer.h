// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "QuizRound.h"

#include <Qt>
#include <functional>
#include <string>
#include <vector>

class QString;
class QWidget;

namespace tarvelo {
class Program;
class TApplication;
} // namespace tarvelo

namespace tarvelo::endurance {

// What one round showed, as seen through the windows.
struct RoundOutcome {
    std::vector<int> pictures; // picture index painted at each question, in order
    std::vector<int> heights;  // height of the photograph painted at each question
    std::vector<int> history;  // the quiz's own record at question 19
    int wrongAnswers = 0;
    std::string resultText; // the start window's result line
};

// Plays rounds through the real windows with input events, the way a player
// would: keys go to the control that has the focus, radio buttons are chosen
// by keyboard or mouse. Throws std::runtime_error as soon as a window does
// not react as the quiz rules say.
class RoundPlayer {
public:
    // widthOf(index) is the width of picture index in the set being played,
    // which tells the photograph on display apart from the others.
    using WidthOf = std::function<int(int)>;
    RoundPlayer(TApplication& application, Program& program, WidthOf widthOf = nullptr);

    // From the start window, on either page, to the next result page.
    // `answerWrongly(question)` tells which questions get a wrong answer.
    RoundOutcome play(Difficulty difficulty, const std::function<bool(int)>& answerWrongly);

private:
    void chooseDifficulty(Difficulty difficulty);
    int awaitPaintedQuestion(int question, RoundOutcome& outcome);
    void focusAnswerInput(QWidget* input);
    void chooseEntry(int entry);
    void answer(Difficulty difficulty, int picture, bool wrongly, int question);
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void type(const QString& text);
    void waitUntil(const std::function<bool()>& condition, const std::string& what);

    TApplication& application_;
    Program& program_;
    WidthOf widthOf_;
};

} // namespace tarvelo::endurance
