// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A breed's row in the editor: its names for screen readers, and the
// keyboard walking the rows and pressing their buttons.
#include "PhotoRow.h"

#include "BreedCatalogue.h"
#include "PhotosApplication.h"
#include "PictureBox.h"
#include "Thumbnail.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>

namespace tarvelo::testing {
namespace {

class PhotoRowTest : public WindowFixture {
protected:
    // From the first row of a set of drawings, as the window opens: the
    // arrows and Tab.
    void walkTheRowsOfDrawings() {
        EXPECT_EQ(QApplication::focusWidget(), window->view()->row(0));

        press(Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), window->view()->row(1));
        EXPECT_EQ(window->view()->selectedIndex(), 1);
        EXPECT_TRUE(window->view()->row(1)->isSelected());
        EXPECT_FALSE(window->view()->row(0)->isSelected());
        press(Qt::Key_Up);
        press(Qt::Key_Up); // nothing above the first row
        EXPECT_EQ(QApplication::focusWidget(), window->view()->row(0));

        // Tab: the row, its "Přidat fotografii…" and "Najít na Wikimedia
        // Commons…", then the next row (a drawing is no stop: there is nothing
        // to do with it).
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), window->view()->row(0)->addButton());
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), window->view()->row(0)->commonsButton());
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), window->view()->row(1));
        // The arrows keep the column.
        press(Qt::Key_Tab);
        press(Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), window->view()->row(2)->addButton());
        EXPECT_EQ(window->view()->selectedIndex(), 2);
    }
};

TEST_F(PhotoRowTest, NineteenRowsInCatalogueOrderNameTheirBreedToScreenReaders) {
    open();
    ASSERT_EQ(window->view()->rowCount(), breedCount);
    for (int i = 0; i < breedCount; ++i) {
        PhotoRow* row = window->view()->row(i);
        const QString breed = QString::fromUtf8(answerName(i));
        EXPECT_EQ(row->breed(), breed);
        EXPECT_EQ(row->addButton()->text(), QStringLiteral("Přidat fotografii…"));
        EXPECT_EQ(accessibleText(row->addButton(), QAccessible::Name),
                  QStringLiteral("Přidat fotografii: ") + breed);
        EXPECT_EQ(accessibleText(row, QAccessible::Name), breed + QStringLiteral(", kresba"));
        EXPECT_EQ(accessibleText(row->thumbnail(), QAccessible::Name),
                  QStringLiteral("Náhled: ") + breed);
        // The drawing is the one picture, and nothing to remove.
        EXPECT_TRUE(row->thumbnail(0)->isVisible());
        EXPECT_FALSE(row->thumbnail(1)->isVisible());
        EXPECT_FALSE(row->removeButton(0)->isVisible());
        EXPECT_EQ(row->stateLabel()->text(), QStringLiteral("Kresba"));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(row)->role(), QAccessible::ListItem);
        EXPECT_FALSE(row->thumbnail()->pixmap().isNull()) << i;
        // Its first use made the set complete, out of the drawings.
        EXPECT_EQ(contents(QDir(root()).filePath(QStringLiteral("obr/0/%1.jpg").arg(i))),
                  contents(drawing(i)));
    }
    EXPECT_EQ(window->view()->row(4)->breed(), QStringLiteral("Hereford"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window->view()->row(0)->parent())->role(),
              QAccessible::List);
    // The quiz's classic look and grey button face.
    EXPECT_EQ(QApplication::style()->name(), "windows");
    EXPECT_EQ(window->quizButton()->palette().color(QPalette::Button), QColor(212, 208, 200));
    EXPECT_TRUE(boxes.empty());

    // The first row is selected, and previewed as the quiz places it.
    EXPECT_EQ(window->view()->selectedIndex(), 0);
    EXPECT_TRUE(window->view()->row(0)->isSelected());
    EXPECT_EQ(window->view()->preview()->size(), QSize(641, 233));
    EXPECT_EQ(window->view()->preview()->placement(), placementRect(200, 150, 641, 233));
}

TEST_F(PhotoRowTest, TheKeyboardWalksRowsAndPressesButtons) {
    open();
    walkTheRowsOfDrawings();

    // With photographs, Tab visits each and its button; Enter and Space
    // press the focused button.
    const QString blonde = writePhoto("Blonde.jpg", 640, 480);
    ASSERT_TRUE(importInto(2, QStringList{blonde, blonde}));
    ASSERT_TRUE(importInto(3, blonde));
    window->view()->row(2)->setFocus();
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->view()->row(2)->thumbnail(0));
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->view()->row(2)->removeButton(0));
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->view()->row(2)->thumbnail(1));
    EXPECT_EQ(window->view()->selectedPicture(), 1);
    // Down from the second photograph: the next row has only one.
    press(Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), window->view()->row(3)->thumbnail(0));
    EXPECT_EQ(window->view()->selectedIndex(), 3);
    press(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), window->view()->row(2)->thumbnail(0));
    window->view()->row(2)->removeButton(1)->setFocus();
    press(Qt::Key_Return);
    EXPECT_EQ(window->view()->row(2)->photoCount(), 1);
    window->view()->row(2)->removeButton(0)->setFocus();
    press(Qt::Key_Space);
    EXPECT_TRUE(window->view()->row(2)->holdsDrawing());
    EXPECT_EQ(QApplication::focusWidget(), window->view()->row(2));

    // The last tab stop is the quiz button.
    window->view()->row(18)->commonsButton()->setFocus();
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->quizButton());
    EXPECT_TRUE(boxes.empty());
}

} // namespace
} // namespace tarvelo::testing
