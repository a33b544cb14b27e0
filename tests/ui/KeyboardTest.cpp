// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuizWindows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTest>

namespace tarvelo::testing {
namespace {

using KeyboardTest = QuizWindows;

TEST_F(KeyboardTest, EnterOnTheStartWindowPressesOkAndTheButtonHasTheFocus) {
    startProgram();
    press(Qt::Key_Return);
    EXPECT_TRUE(form1().isVisible());
    EXPECT_FALSE(form2().isVisible());
    EXPECT_TRUE(form1().ComboBox1->isVisible());
    EXPECT_FALSE(form1().Edit1->isVisible());
    // Both inputs were hidden when the window took the focus.
    EXPECT_EQ(QApplication::focusWidget(), form1().BitBtn1);
    EXPECT_EQ(app().focusedWindow(), &form1());
    EXPECT_EQ(round().questionNumber, 1);
}

TEST_F(KeyboardTest, ArrowsCycleThroughTheDifficultyPageAndCheckRadioButtons) {
    startProgram();
    TForm2& f2 = form2();
    press(Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), f2.RadioButton2);
    EXPECT_TRUE(f2.RadioButton2->isChecked());
    EXPECT_FALSE(f2.RadioButton1->isChecked());
    press(Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), f2.Button1);
    press(Qt::Key_Down); // wraps around
    EXPECT_EQ(QApplication::focusWidget(), f2.RadioButton1);
    EXPECT_TRUE(f2.RadioButton1->isChecked());
    press(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), f2.Button1);
    press(Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), f2.RadioButton2);
    EXPECT_TRUE(f2.RadioButton2->isChecked());

    // Only the checked radio button is a tab stop.
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f2.Button1);
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f2.RadioButton2);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), f2.Button1);

    // Enter on the button presses it: Advanced shows the field.
    press(Qt::Key_Return);
    EXPECT_TRUE(form1().Edit1->isVisible());
    EXPECT_FALSE(form1().ComboBox1->isVisible());
}

TEST_F(KeyboardTest, EscapeDoesNothingAnywhere) {
    startProgram();
    press(Qt::Key_Escape);
    EXPECT_TRUE(form2().isVisible());
    EXPECT_TRUE(form2().GroupBox1->isVisible());
    EXPECT_EQ(form2().modalResult(), mrNone);

    startRound(true);
    click(form1().Edit1);
    type("Jers");
    press(Qt::Key_Escape);
    EXPECT_TRUE(form1().isVisible());
    EXPECT_EQ(form1().Edit1->text(), "Jers");
    EXPECT_EQ(form1().BitBtn1->text(), "OK");
    EXPECT_EQ(round().errorCount, 0);
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form1().BitBtn1);
    press(Qt::Key_Escape);
    EXPECT_EQ(round().errorCount, 0);
    EXPECT_TRUE(form1().isVisible());
}

TEST_F(KeyboardTest, EnterInTheListOrFieldOrOnTheBareWindowPressesTheAnswerButton) {
    startProgram();
    startRound(false);

    // An open list: Enter only closes it, keeping the highlighted entry.
    click(form1().ComboBox1);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    press(Qt::Key_Down);
    const int highlighted = form1().ComboBox1->view()->currentIndex().row();
    press(Qt::Key_Return);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(form1().ComboBox1->currentIndex(), highlighted);
    EXPECT_GE(highlighted, 0);
    EXPECT_EQ(form1().BitBtn1->text(), "OK");
    EXPECT_EQ(QApplication::focusWidget(), form1().ComboBox1);

    // Escape closes an open list and presses nothing either.
    click(form1().ComboBox1);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    press(Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(form1().BitBtn1->text(), "OK");

    // The closed list: Enter answers ("Aberdeen Angus" is wrong for Charolais).
    press(Qt::Key_Return);
    EXPECT_EQ(form1().BitBtn1->text(), "NEXT");
    EXPECT_FALSE(form1().ComboBox1->isEnabled());
    // The disabled list lost the focus to the window itself; Enter goes on.
    EXPECT_EQ(QApplication::focusWidget(), &form1());
    press(Qt::Key_Return);
    EXPECT_EQ(round().questionNumber, 2);
    EXPECT_EQ(form1().BitBtn1->text(), "OK");

    // Enter on the button itself.
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), form1().BitBtn1);
    press(Qt::Key_Return);
    EXPECT_EQ(form1().BitBtn1->text(), "NEXT");
    EXPECT_EQ(round().errorCount, 2);
}

TEST_F(KeyboardTest, EnterInTheFieldPressesTheAnswerButton) {
    startProgram();
    startRound(true);
    click(form1().Edit1);
    type("Charolais");
    press(Qt::Key_Return);
    EXPECT_EQ(round().questionNumber, 2);
    EXPECT_EQ(round().errorCount, 0);
    EXPECT_EQ(form1().Edit1->text(), "");
}

TEST_F(KeyboardTest, TypingInTheClosedListSelectsByPrefix) {
    startProgram();
    startRound(false);
    press(Qt::Key_Tab); // from the button round to the list
    ASSERT_EQ(QApplication::focusWidget(), form1().ComboBox1);
    QComboBox* list = form1().ComboBox1;

    type("h");
    EXPECT_EQ(list->currentText(), "Hereford");
    type("I");
    EXPECT_EQ(list->currentText(), "Highland Cattle");
    press(Qt::Key_Backspace);
    type("o");
    EXPECT_EQ(list->currentText(), "Holštýnský skot");

    QTest::qWait(600); // a pause starts the search afresh
    type("c");
    EXPECT_EQ(list->currentText(), "Charolais"); // "Ch" sorts after "H"
    QTest::qWait(600);
    type("ma");
    EXPECT_EQ(list->currentText(), "Masný simentál");
    EXPECT_EQ(form1().BitBtn1->text(), "OK");
}

TEST_F(KeyboardTest, ResultPageEnterPressesZnovuAndTabThenEnterPressesKonec) {
    startProgram();
    press(Qt::Key_Return);
    for (int i = 0; i < 38; ++i) {
        press(Qt::Key_Return);
    }
    ASSERT_TRUE(form2().GroupBox2->isVisible());
    EXPECT_EQ(form2().Label1->text(), "Začátečník: Skore: 19 / 19");
    EXPECT_EQ(QApplication::focusWidget(), &form2());

    press(Qt::Key_Return); // "Znovu"
    EXPECT_TRUE(form2().GroupBox1->isVisible());
    EXPECT_FALSE(form2().GroupBox2->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &form2());
    press(Qt::Key_Return); // "OK"
    EXPECT_TRUE(form1().isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form1().BitBtn1);

    for (int i = 0; i < 38; ++i) {
        press(Qt::Key_Return);
    }
    ASSERT_TRUE(form2().GroupBox2->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &form2());
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form2().Button2);
    EXPECT_TRUE(form2().Button2->isDefault()); // the focused button is the active one
    EXPECT_FALSE(form2().Button3->isDefault());
    press(Qt::Key_Return);
    EXPECT_TRUE(app().quitFlag());
    EXPECT_FALSE(app().modalRunGoesOn(form2()));
    EXPECT_EQ(form2().modalResult(), mrCancel);
}

TEST_F(KeyboardTest, ADoubleClickOnTheAnswerButtonCountsAsTwoPresses) {
    startProgram();
    startRound(false);
    // Through the window system, which turns the second press into a double click.
    const QPoint centre = form1().BitBtn1->mapTo(&form1(), form1().BitBtn1->rect().center());
    QTest::mouseDClick(form1().windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
    settle();
    EXPECT_EQ(round().errorCount, 1);
    EXPECT_EQ(round().questionNumber, 2);
    EXPECT_EQ(form1().BitBtn1->text(), "OK");
}

TEST_F(KeyboardTest, FocusInLaterRoundsFollowsWhereItWasAndTheChosenLevel) {
    startProgram();
    startRound(true);
    // Each round ends answering in the field; the last press disables it.
    for (int q = 1; q <= 19; ++q) {
        answerRight();
    }
    ASSERT_TRUE(form2().GroupBox2->isVisible());
    click(form2().Button3); // "Znovu"
    EXPECT_EQ(QApplication::focusWidget(), &form2());
    press(Qt::Key_Return);
    // The first tab stop is the field the previous round showed.
    EXPECT_EQ(QApplication::focusWidget(), form1().Edit1);
    for (int q = 1; q <= 19; ++q) {
        answerRight();
    }

    // A changed level hides that field as the window activates: the focus
    // falls to the window itself, and stays there once activation settles.
    click(form2().Button3);
    click(form2().RadioButton1);
    click(form2().Button1);
    EXPECT_TRUE(form1().ComboBox1->isVisible());
    EXPECT_FALSE(form1().Edit1->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &form1());

    // A round ended with the focus on the button gives it back there.
    click(form1().BitBtn1);
    for (int i = 1; i < 38; ++i) {
        press(Qt::Key_Return);
    }
    ASSERT_TRUE(form2().GroupBox2->isVisible());
    click(form2().Button3);
    press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form1().BitBtn1);
}

TEST_F(KeyboardTest, TheLevelIsAppliedOncePerRoundAndNotOnReturningToTheWindow) {
    startProgram();
    startRound(false);
    ASSERT_TRUE(form1().ComboBox1->isVisible());

    // Another application takes the focus, then the player comes back.
    form2().RadioButton2->setChecked(true);
    QWidget other;
    other.show();
    other.activateWindow();
    settle();
    form1().activateWindow();
    settle();
    EXPECT_TRUE(form1().ComboBox1->isVisible());
    EXPECT_FALSE(form1().Edit1->isVisible());
}

TEST_F(KeyboardTest, TheLevelDoesNotWaitForTheWindowManagerToActivateTheWindow) {
    startProgram();
    form2().RadioButton2->setChecked(true);
    // Pressed, with no event processed afterwards: no activation has come yet.
    form2().Button1->click();
    EXPECT_TRUE(form1().isVisible());
    EXPECT_FALSE(form2().isVisible());
    EXPECT_TRUE(form1().Edit1->isVisible());
    EXPECT_FALSE(form1().ComboBox1->isVisible());
    EXPECT_EQ(app().focusedWindow(), &form1());

    // When the activation does come it applies nothing a second time.
    form2().RadioButton1->setChecked(true);
    settle();
    EXPECT_TRUE(form1().Edit1->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form1().BitBtn1);
}

} // namespace
} // namespace tarvelo::testing
