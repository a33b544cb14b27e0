// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureBox.h"
#include "QuizWindows.h"

#include <QApplication>
#include <QFontInfo>
#include <QScreen>
#include <QStyle>
#include <QWindow>

namespace tarvelo::testing {
namespace {

using LayoutTest = QuizWindows;

struct Placed {
    const char* name;
    QWidget* widget;
    QWidget* parent;
    QRect geometry;
};

TEST_F(LayoutTest, EveryControlSitsWhereTheLayoutPutsIt) {
    startProgram();
    TForm1& f1 = form1();
    TForm2& f2 = form2();
    const std::vector<Placed> controls{
        {"GroupBox1", f1.GroupBox1, &f1, {26, 32, 689, 314}},
        {"Image1", f1.Image1, f1.GroupBox1, {16, 16, 641, 233}},
        {"GroupBox2", f1.GroupBox2, &f1, {728, 32, 185, 177}},
        {"ComboBox1", f1.ComboBox1, f1.GroupBox2, {8, 40, 169, 24}},
        {"Edit1", f1.Edit1, f1.GroupBox2, {8, 40, 169, 24}},
        {"BitBtn1", f1.BitBtn1, f1.GroupBox2, {96, 128, 75, 25}},
        {"GroupBox3", f1.GroupBox3, &f1, {8, 293, 919, 89}},
        {"F2.GroupBox1", f2.GroupBox1, &f2, {24, 24, 337, 105}},
        {"RadioButton1", f2.RadioButton1, f2.GroupBox1, {16, 32, 113, 17}},
        {"RadioButton2", f2.RadioButton2, f2.GroupBox1, {16, 72, 113, 17}},
        {"Button1", f2.Button1, f2.GroupBox1, {248, 72, 75, 25}},
        {"F2.GroupBox2", f2.GroupBox2, &f2, {24, 24, 337, 105}},
        {"Button2", f2.Button2, f2.GroupBox2, {241, 72, 75, 25}},
        {"Button3", f2.Button3, f2.GroupBox2, {160, 72, 75, 25}},
    };
    for (const auto& c : controls) {
        EXPECT_EQ(c.widget->parentWidget(), c.parent) << c.name;
        EXPECT_EQ(c.widget->geometry(), c.geometry) << c.name;
    }
    // Labels keep their place and size themselves to their text.
    EXPECT_EQ(f1.Label1->pos(), QPoint(16, 16));
    EXPECT_EQ(f1.Label6->pos(), QPoint(16, 136));
    EXPECT_EQ(f1.Label3->pos(), QPoint(8, 24));
    EXPECT_EQ(f1.Label7->pos(), QPoint(8, 0));
    EXPECT_EQ(f2.Label1->pos(), QPoint(24, 32));

    EXPECT_EQ(f1.size(), QSize(935, 390));
    EXPECT_EQ(f1.minimumSize(), f1.maximumSize()); // fixed border
    EXPECT_EQ(f2.size(), QSize(386, 157));
    EXPECT_FALSE(f1.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(f1.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(f2.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(LayoutTest, CaptionsFontsAndStartStates) {
    startProgram();
    TForm1& f1 = form1();
    TForm2& f2 = form2();
    EXPECT_EQ(f1.windowTitle(), "Tarvelo");
    EXPECT_EQ(f2.windowTitle(), "Start page");
    EXPECT_EQ(f1.GroupBox1->title(), "        ");
    EXPECT_EQ(f1.GroupBox2->title(), "        ");
    EXPECT_EQ(f1.GroupBox3->title(), "");
    EXPECT_EQ(f1.Label1->text(), "Název");
    EXPECT_EQ(f1.Label7->text(), "  Chyb: ");
    EXPECT_EQ(f1.BitBtn1->text(), "OK");
    EXPECT_EQ(f2.GroupBox1->title(), "   Obtížnost   ");
    EXPECT_EQ(f2.RadioButton1->text(), "Začátečník");
    EXPECT_EQ(f2.RadioButton2->text(), "Pokročilý");
    EXPECT_EQ(f2.Button1->text(), "OK");
    EXPECT_EQ(f2.Button2->text(), "Konec");
    EXPECT_EQ(f2.Button3->text(), "Znovu");

    const QFont a = f1.BitBtn1->font();
    EXPECT_EQ(a.family(), "Times New Roman");
    EXPECT_EQ(a.pixelSize(), 16);
    EXPECT_TRUE(a.bold() && a.italic());
    EXPECT_EQ(f1.ComboBox1->font().pixelSize(), 13);
    EXPECT_EQ(f1.Edit1->font().pixelSize(), 13);
    EXPECT_EQ(f2.Label1->font().family(), "Arial");
    EXPECT_EQ(f2.Label1->font().pixelSize(), 21);
    EXPECT_EQ(f2.Label1->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(f1.Label3->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(f1.palette().color(QPalette::Window), QColor(Qt::black));
    // The classic look the layouts were made for, and its grey button face.
    EXPECT_EQ(QApplication::style()->name(), "windows");
    EXPECT_EQ(f2.Button1->palette().color(QPalette::Button), QColor(212, 208, 200));
    EXPECT_EQ(f1.ComboBox1->maxVisibleItems(), 30);
    EXPECT_FALSE(f1.ComboBox1->isEditable());

    // The quiz window is prepared but hidden until "OK".
    EXPECT_FALSE(f1.isVisible());
    EXPECT_EQ(f1.Label6->text(), "1. ");
    EXPECT_EQ(f1.ComboBox1->count(), 19);
    EXPECT_EQ(f1.ComboBox1->currentIndex(), -1);
    EXPECT_TRUE(f1.Edit1->isHidden());
    EXPECT_TRUE(f1.ComboBox1->isHidden());
    EXPECT_TRUE(f1.GroupBox3->isHidden());
    EXPECT_EQ(f1.Image1->state(), PictureBox::State::Loaded);
    EXPECT_EQ(app().mainWindow(), &f1);

    EXPECT_TRUE(f2.isVisible());
    EXPECT_TRUE(f2.GroupBox1->isVisible());
    EXPECT_TRUE(f2.GroupBox2->isHidden());
    EXPECT_TRUE(f2.RadioButton1->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), f2.RadioButton1);
    EXPECT_TRUE(f2.isModal());
}

TEST_F(LayoutTest, StartWindowIsCentredFirstAndKeepsItsPlaceLater) {
    startProgram();
    TForm2& f2 = form2();
    const QRect screen = f2.screen()->geometry();
    const QRect frame = f2.frameGeometry();
    EXPECT_EQ(frame.left(), std::max((screen.width() - frame.width()) / 2, 0));
    EXPECT_EQ(frame.top(), std::max((screen.height() - frame.height()) / 2, 0));

    f2.move(10, 20); // the player drags it away
    startRound(false);
    for (int i = 0; i < 38; ++i) {
        press(Qt::Key_Return);
    }
    ASSERT_TRUE(f2.GroupBox2->isVisible());
    EXPECT_EQ(f2.pos(), QPoint(10, 20));
    EXPECT_EQ(f2.frameGeometry().size(), QSize(392, 183));
}

// What some window managers do despite the fixed size hints (IceWM): resize
// the window's native window, or maximise it. The window takes its size back.
void expectFixedAgainstTheWindowManager(TForm& form, QSize fixed) {
    ASSERT_TRUE(form.isVisible());
    form.windowHandle()->resize(fixed + QSize(120, 90));
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(form.size(), fixed) << "resized: " << form.windowTitle().toStdString();
    form.windowHandle()->showMaximized();
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(form.isMaximized()) << form.windowTitle().toStdString();
    EXPECT_EQ(form.size(), fixed) << "maximised: " << form.windowTitle().toStdString();
}

TEST_F(LayoutTest, FixedWindowsTakeTheirSizeBackWhenTheWindowManagerChangesIt) {
    startProgram();
    expectFixedAgainstTheWindowManager(form2(), QSize(386, 157));
    startRound(false);
    expectFixedAgainstTheWindowManager(form1(), QSize(935, 390));
    press(Qt::Key_Return); // a wrong answer: the correction panel in its place
    EXPECT_EQ(form1().GroupBox3->geometry(), QRect(8, 293, 919, 89));
    for (int i = 0; i < 37; ++i) {
        press(Qt::Key_Return);
    }
    ASSERT_TRUE(form2().GroupBox2->isVisible());
    // The result page keeps the size the end of the round gave the window.
    const QSize result = form2().size();
    expectFixedAgainstTheWindowManager(form2(), result);
}

} // namespace
} // namespace tarvelo::testing
