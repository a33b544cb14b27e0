// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RoundPlayer.h"

#include "BreedCatalogue.h"
#include "PictureBox.h"
#include "Placement.h"
#include "Program.h"
#include "TApplication.h"
#include "TellingSet.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <stdexcept>

namespace tarvelo::endurance {

namespace {
[[noreturn]] void fail(const std::string& message) {
    throw std::runtime_error(message);
}

std::string caption(const QPushButton* button) {
    return button->text().toStdString();
}

int entryOf(std::string_view name) {
    const auto list = choiceList();
    return static_cast<int>(std::find(list.begin(), list.end(), name) - list.begin());
}
} // namespace

RoundPlayer::RoundPlayer(TApplication& application, Program& program, WidthOf widthOf)
    : application_(application), program_(program),
      widthOf_(widthOf ? std::move(widthOf) : WidthOf(&TellingSet::widthOf)) {}

void RoundPlayer::waitUntil(const std::function<bool()>& condition, const std::string& what) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (application_.quitFlag()) {
            fail("the program asked to quit while waiting for " + what);
        }
        if (clock.elapsed() > 5000) {
            fail("timed out waiting for " + what);
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// A key goes where the player's keyboard goes: the focused control, else the
// active window.
void RoundPlayer::press(int key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
        target = QApplication::activeWindow();
    }
    if (target == nullptr) {
        fail("no window has the keyboard focus");
    }
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    QCoreApplication::processEvents();
}

// Typed text, accents included: each character is a key whose code is its
// upper-case form, as the window system reports it.
void RoundPlayer::type(const QString& text) {
    for (const QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr) {
            fail("no control has the keyboard focus for typing");
        }
        const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, target, key, QString(c), Qt::NoModifier);
    }
    QCoreApplication::processEvents();
}

void RoundPlayer::chooseDifficulty(Difficulty difficulty) {
    TForm2& start = program_.form2();
    if (difficulty == Difficulty::Advanced && !start.RadioButton2->isChecked()) {
        // Keyboard: Tab reaches the checked button, Down moves on and checks "Pokročilý".
        press(Qt::Key_Tab);
        press(Qt::Key_Down);
    } else if (difficulty == Difficulty::Beginner && !start.RadioButton1->isChecked()) {
        QTest::mouseClick(start.RadioButton1, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    const QRadioButton* wanted =
        difficulty == Difficulty::Beginner ? start.RadioButton1 : start.RadioButton2;
    if (!wanted->isChecked()) {
        fail("could not choose " + wanted->text().toStdString() + " on the start window");
    }
}

// Waits until the question is on display and its photograph painted; returns
// the picture index, checked against the photograph the picture box holds and
// where it stands, and records the photograph's height.
int RoundPlayer::awaitPaintedQuestion(int question, RoundOutcome& outcome) {
    const Quiz& quiz = program_.quiz();
    PictureBox* box = program_.form1().Image1;
    waitUntil(
        [&] {
            return quiz.round().questionNumber == question &&
                   box->state() == PictureBox::State::Decoded;
        },
        "question " + std::to_string(question) + " to be painted");
    const int picture = quiz.round().currentPicture;
    if (box->picture()->width() != widthOf_(picture)) {
        fail("question " + std::to_string(question) + " shows another photograph than picture " +
             std::to_string(picture));
    }
    const JpegPicture& shown = *box->picture();
    if (box->placement() !=
        placementRect(shown.uprightWidth(), shown.uprightHeight(), box->width(), box->height())) {
        fail("question " + std::to_string(question) + ": the photograph is not placed in the " +
             "middle of the picture area at its own size");
    }
    outcome.heights.push_back(shown.uprightHeight());
    return picture;
}

// The player moves into the answer input with Tab, from wherever the focus is.
void RoundPlayer::focusAnswerInput(QWidget* input) {
    for (int tabs = 0; tabs < 4 && QApplication::focusWidget() != input; ++tabs) {
        press(Qt::Key_Tab);
    }
    if (QApplication::focusWidget() != input) {
        fail("Tab does not reach the answer input");
    }
}

// Home or End, then arrows: the closed list selects as the keys move.
void RoundPlayer::chooseEntry(int entry) {
    const int last = breedCount - 1;
    if (entry <= last / 2) {
        press(Qt::Key_Home);
        for (int i = 0; i < entry; ++i) {
            press(Qt::Key_Down);
        }
    } else {
        press(Qt::Key_End);
        for (int i = last; i > entry; --i) {
            press(Qt::Key_Up);
        }
    }
}

void RoundPlayer::answer(Difficulty difficulty, int picture, bool wrongly, int question) {
    TForm1& quizWindow = program_.form1();
    const std::string right(answerName(picture));
    if (difficulty == Difficulty::Beginner) {
        focusAnswerInput(quizWindow.ComboBox1);
        // Half the wrong answers pick a neighbour, half pick nothing at all.
        const bool pickNothing = wrongly && question % 2 == 0;
        if (!pickNothing) {
            const int entry = (entryOf(right) + (wrongly ? 1 : 0)) % breedCount;
            chooseEntry(entry);
            if (quizWindow.ComboBox1->currentIndex() != entry) {
                fail("the list did not select entry " + std::to_string(entry));
            }
        }
    } else {
        focusAnswerInput(quizWindow.Edit1);
        // Wrong: the right name in lower case, or with a trailing space.
        QString typed = QString::fromStdString(right);
        if (wrongly) {
            typed = question % 2 == 0 ? typed.toLower() : typed + QLatin1Char(' ');
        }
        type(typed);
        if (quizWindow.Edit1->text() != typed) {
            fail("the text field holds \"" + quizWindow.Edit1->text().toStdString() +
                 "\" after typing \"" + typed.toStdString() + "\"");
        }
    }
    press(Qt::Key_Return);
}

RoundOutcome RoundPlayer::play(Difficulty difficulty,
                               const std::function<bool(int)>& answerWrongly) {
    TForm1& quizWindow = program_.form1();
    TForm2& start = program_.form2();
    RoundOutcome outcome;

    waitUntil([&] { return QApplication::activeWindow() == &start; }, "the start window");
    if (start.GroupBox2->isVisible()) {
        // Clicked rather than Enter: the result page currently opens with the
        // focus on "Konec", so Enter would quit (the X11 key test covers it).
        QTest::mouseClick(start.Button3, Qt::LeftButton); // "Znovu"
        QCoreApplication::processEvents();
        if (!start.GroupBox1->isVisible() || start.GroupBox2->isVisible()) {
            fail("\"Znovu\" did not bring back the difficulty page");
        }
    }
    chooseDifficulty(difficulty);
    press(Qt::Key_Return); // "OK"
    waitUntil([&] { return QApplication::activeWindow() == &quizWindow && !start.isVisible(); },
              "the quiz window");
    const bool beginner = difficulty == Difficulty::Beginner;
    if (quizWindow.ComboBox1->isVisible() != beginner ||
        quizWindow.Edit1->isVisible() == beginner) {
        fail("the quiz window shows the wrong answer input for the chosen difficulty");
    }

    const Quiz& quiz = program_.quiz();
    for (int question = 1; question <= questionsPerRound; ++question) {
        const int picture = awaitPaintedQuestion(question, outcome);
        outcome.pictures.push_back(picture);
        if (question == questionsPerRound) {
            const auto& asked = quiz.round().askedHistory;
            outcome.history.assign(asked.begin(), asked.begin() + questionsPerRound - 1);
            outcome.history.push_back(quiz.round().currentPicture);
        }
        const bool wrongly = answerWrongly(question);
        answer(difficulty, picture, wrongly, question);
        if (!wrongly) {
            continue;
        }
        ++outcome.wrongAnswers;
        const bool last = question == questionsPerRound;
        const std::string expected(last ? RoundPhase::finished : RoundPhase::reviewing);
        if (caption(quizWindow.BitBtn1) != expected || !quizWindow.GroupBox3->isVisible() ||
            quizWindow.Label3->text().toStdString() != answerName(picture)) {
            fail("question " + std::to_string(question) +
                 ": a wrong answer did not show the correction (caption \"" +
                 caption(quizWindow.BitBtn1) + "\")");
        }
        press(Qt::Key_Return); // "NEXT" or "Start page"
    }

    waitUntil(
        [&] {
            return start.isVisible() && start.GroupBox2->isVisible() && !quizWindow.isVisible();
        },
        "the result page");
    outcome.resultText = start.Label1->text().toStdString();
    return outcome;
}

} // namespace tarvelo::endurance
