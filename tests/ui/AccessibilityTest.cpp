// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureBox.h"
#include "QuizWindows.h"

#include <QAccessible>
#include <string>

namespace tarvelo::testing {
namespace {

using AccessibilityTest = QuizWindows;

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QObject* object) {
    return accessible(object)->text(QAccessible::Name);
}

QStringList childNames(QObject* object) {
    QStringList names;
    QAccessibleInterface* node = accessible(object);
    for (int i = 0; i < node->childCount(); ++i) {
        names << node->child(i)->text(QAccessible::Name);
    }
    return names;
}

// The first text in the tree under `node` that names the breed on display or
// its file; the list's entries are all the names and don't count.
std::string giveaway(QAccessibleInterface* node, const QString& answer) {
    for (const auto kind :
         {QAccessible::Name, QAccessible::Description, QAccessible::Value, QAccessible::Help}) {
        const QString text = node->text(kind);
        if (text.contains(answer) || text.contains(QStringLiteral(".jpg"))) {
            return text.toStdString();
        }
    }
    for (int i = 0; node->role() != QAccessible::ComboBox && i < node->childCount(); ++i) {
        if (std::string found = giveaway(node->child(i), answer); !found.empty()) {
            return found;
        }
    }
    return {};
}

TEST_F(AccessibilityTest, ScreenReadersHearNamesQuestionsAndCorrectionsButNeverTheAnswer) {
    startProgram();
    EXPECT_EQ(nameOf(form2().GroupBox1), "Obtížnost");
    startRound(false);

    TForm1& f1 = form1();
    EXPECT_EQ(nameOf(f1.ComboBox1), "Název");
    EXPECT_EQ(nameOf(f1.Edit1), "Název");
    const auto labelled = accessible(f1.Label1)->relations(QAccessible::Labelled);
    ASSERT_EQ(labelled.size(), 1);
    EXPECT_EQ(labelled.front().first->object(), f1.ComboBox1);
    EXPECT_EQ(nameOf(f1.GroupBox1), "Otázka");
    EXPECT_EQ(nameOf(f1.GroupBox2), "Odpověď");
    EXPECT_EQ(nameOf(f1.Label6), "1. ");
    EXPECT_EQ(accessible(f1.Image1)->role(), QAccessible::Graphic);
    EXPECT_EQ(nameOf(f1.Image1), "Fotografie");
    EXPECT_EQ(accessible(f1.Image1)->text(QAccessible::Description), "Otázka 1 z 19");

    EXPECT_EQ(giveaway(accessible(&f1), QStringLiteral("Charolais")), "");

    // A wrong first answer: the panel is an alert that appears with both texts.
    press(Qt::Key_Return);
    QAccessibleInterface* panel = accessible(f1.GroupBox3);
    EXPECT_EQ(panel->role(), QAccessible::AlertMessage);
    EXPECT_EQ(panel->text(QAccessible::Name), "Oprava");
    EXPECT_FALSE(panel->state().invisible);
    EXPECT_EQ(childNames(f1.GroupBox3), QStringList({"Charolais", " Chyb: 1/1 "}));
    press(Qt::Key_Return); // NEXT
    EXPECT_EQ(panel->childCount(), 0);

    for (int q = 2; q <= 19; ++q) {
        EXPECT_EQ(accessible(f1.Image1)->text(QAccessible::Description),
                  QStringLiteral("Otázka %1 z 19").arg(q));
        const QString answer = QString::fromStdString(currentAnswer());
        ASSERT_EQ(giveaway(accessible(&f1), answer), "") << "question " << q;
        answerRight();
    }

    EXPECT_EQ(accessible(form2().GroupBox2)->role(), QAccessible::AlertMessage);
    EXPECT_EQ(nameOf(form2().GroupBox2), "Výsledek");
    EXPECT_EQ(childNames(form2().GroupBox2).value(0), "Začátečník: Skore: 1 / 19");

    // The next round opens on the picture whose name the hidden panel still holds.
    click(form2().Button3);
    startRound(false);
    EXPECT_EQ(f1.Label3->text(), "Charolais");
    EXPECT_EQ(accessible(f1.Image1)->text(QAccessible::Description), "Otázka 1 z 19");
    EXPECT_EQ(giveaway(accessible(&f1), QStringLiteral("Charolais")), "");
}

} // namespace
} // namespace tarvelo::testing
