// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedCatalogue.h"
#include "PictureBox.h"
#include "QuizWindows.h"

#include <QApplication>
#include <set>

namespace tarvelo::testing {
namespace {

using PlayTest = QuizWindows;

TEST_F(PlayTest, ABeginnerRoundByChoosingListEntries) {
    startProgram();
    startRound(false);
    EXPECT_EQ(form1().Image1->state(), PictureBox::State::Decoded);
    std::set<int> pictures;
    for (int q = 1; q <= 19; ++q) {
        ASSERT_EQ(form1().Label6->text(), QString::number(q) + ". ");
        ASSERT_TRUE(form1().ComboBox1->isEnabled());
        ASSERT_EQ(form1().ComboBox1->currentIndex(), -1);
        pictures.insert(round().currentPicture);
        const int decodesBefore = form1().Image1->decodeCount();
        answerRight();
        EXPECT_FALSE(form1().GroupBox3->isVisible());
        if (q < 19) {
            // The next photograph was painted, decoded once.
            EXPECT_EQ(form1().Image1->decodeCount(), decodesBefore + 1);
        }
    }
    EXPECT_EQ(pictures.size(), 19u);

    EXPECT_FALSE(form1().isVisible());
    EXPECT_TRUE(form2().isVisible());
    EXPECT_EQ(form2().windowTitle(), "Start page");
    EXPECT_FALSE(form2().GroupBox1->isVisible());
    EXPECT_TRUE(form2().GroupBox2->isVisible());
    EXPECT_EQ(form2().Label1->text(), "Začátečník: Skore: 0 / 19");
    EXPECT_EQ(form2().frameGeometry().size(), QSize(392, 183));

    // The next round is ready at once: question 1, picture 0, clean inputs.
    EXPECT_EQ(form1().Label6->text(), "1. ");
    EXPECT_EQ(round().currentPicture, 0);
    EXPECT_EQ(form1().Image1->state(), PictureBox::State::Loaded);
    EXPECT_EQ(form1().BitBtn1->text(), "OK");
    EXPECT_TRUE(form1().ComboBox1->isEnabled());
    EXPECT_EQ(form1().ComboBox1->currentIndex(), -1);
}

TEST_F(PlayTest, AnAdvancedRoundByTypingWithMistakes) {
    startProgram();
    startRound(true);
    click(form1().Edit1);
    type("charolais");
    press(Qt::Key_Return);

    EXPECT_TRUE(form1().GroupBox3->isVisible());
    EXPECT_EQ(form1().Label3->text(), "Charolais");
    EXPECT_EQ(form1().Label7->text(), " Chyb: 1/1 ");
    EXPECT_EQ(form1().BitBtn1->text(), "NEXT");
    EXPECT_FALSE(form1().Edit1->isEnabled());
    EXPECT_FALSE(form1().ComboBox1->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), &form1());
    EXPECT_EQ(form1().Edit1->text(), "charolais"); // still shown while reviewing

    press(Qt::Key_Return); // NEXT
    EXPECT_EQ(form1().Label6->text(), "2. ");
    EXPECT_FALSE(form1().GroupBox3->isVisible());
    EXPECT_TRUE(form1().Edit1->isEnabled());
    EXPECT_EQ(form1().Edit1->text(), "");

    for (int q = 2; q < 19; ++q) {
        answerRight();
    }
    const QString last = QString::fromStdString(currentAnswer());
    click(form1().Edit1);
    type(last + " ");
    press(Qt::Key_Return);
    EXPECT_EQ(form1().Label7->text(), " Chyb: 2/19 ");
    EXPECT_EQ(form1().Label3->text(), last);
    EXPECT_EQ(form1().BitBtn1->text(), "Start page");
    EXPECT_TRUE(form1().isVisible());

    press(Qt::Key_Return);
    EXPECT_EQ(form2().Label1->text(), "Pokročilý: Skore: 2 / 19");
    EXPECT_FALSE(form1().isVisible());
}

TEST_F(PlayTest, ZnovuKeepsTheLevelUntilThePlayerChangesIt) {
    startProgram();
    startRound(true);
    for (int q = 1; q <= 19; ++q) {
        answerRight();
    }
    click(form2().Button3); // "Znovu"
    EXPECT_TRUE(form2().GroupBox1->isVisible());
    EXPECT_TRUE(form2().RadioButton2->isChecked());

    click(form2().RadioButton1);
    click(form2().Button1);
    EXPECT_TRUE(form1().ComboBox1->isVisible());
    EXPECT_FALSE(form1().Edit1->isVisible());
    EXPECT_EQ(round().questionNumber, 1);
    EXPECT_EQ(round().errorCount, 0);
    answerRight();
    EXPECT_EQ(round().questionNumber, 2);
}

TEST_F(PlayTest, ClosingEitherWindowEndsTheRunTheWayItShould) {
    startProgram();
    // The start window in its modal run: only its close handler asks to quit.
    form2().close();
    EXPECT_EQ(form2().modalResult(), mrCancel);
    EXPECT_TRUE(form2().isVisible());
    EXPECT_FALSE(app().modalRunGoesOn(form2()));
    settle();
    EXPECT_TRUE(app().quitFlag());
}

TEST_F(PlayTest, ClosingTheQuizWindowMidRoundQuitsWithoutTheStartWindowsHandler) {
    startProgram();
    startRound(false);
    answerRight();
    form1().close();
    EXPECT_TRUE(form1().isVisible()); // the main window is not hidden
    EXPECT_EQ(form2().modalResult(), mrNone);
    settle();
    EXPECT_TRUE(app().quitFlag());
    EXPECT_FALSE(app().modalRunGoesOn(form2()));
    EXPECT_EQ(form2().modalResult(), mrCancel);
}

} // namespace
} // namespace tarvelo::testing
