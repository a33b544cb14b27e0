// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The buttons at the foot of the editor's dialogs: the one that goes on is
// named as each dialog names it and is pressed by Enter, "Zrušit" and Escape
// close the dialog unanswered, and a screen reader hears both by their text.
#include "CzechButtonBox.h"

#include <QAccessible>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace tarvelo::testing {
namespace {

QString accessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(QAccessible::Name) : QString();
}

struct Ending {
    const char* how;
    std::function<void(QLineEdit* field, const CzechButtonBox& buttons)> act;
    QDialog::DialogCode result;
};

TEST(CzechButtonBoxTest, EachDialogsButtonGoesOnAndZrusitOrEscapeCloseUnanswered) {
    // The texts of the dialogs that use it: "Autor a licence…", "Vytisknout
    // test…", "Uložit sadu do souboru…" and "Doplnit z Wikimedia Commons…".
    const char* const acceptTexts[] = {"OK", "Uložit jako PDF…", "Uložit…", "Pokračovat"};
    const Ending endings[] = {
        {"Enter in a field",
         [](QLineEdit* field, const CzechButtonBox&) { QTest::keyClick(field, Qt::Key_Return); },
         QDialog::Accepted},
        {"Escape in a field",
         [](QLineEdit* field, const CzechButtonBox&) { QTest::keyClick(field, Qt::Key_Escape); },
         QDialog::Rejected},
        {"the button that goes on",
         [](QLineEdit*, const CzechButtonBox& buttons) { buttons.accept->click(); },
         QDialog::Accepted},
        {"Zrušit", [](QLineEdit*, const CzechButtonBox& buttons) { buttons.cancel->click(); },
         QDialog::Rejected},
        {"Space on Zrušit",
         [](QLineEdit*, const CzechButtonBox& buttons) {
             QTest::keyClick(buttons.cancel, Qt::Key_Space);
         },
         QDialog::Rejected},
    };
    for (const char* acceptText : acceptTexts) {
        for (const Ending& ending : endings) {
            SCOPED_TRACE(std::string(acceptText) + ", ended by " + ending.how);
            const auto dialog = std::make_unique<QDialog>();
            auto* field = new QLineEdit(dialog.get());
            const CzechButtonBox buttons =
                makeCzechButtonBox(dialog.get(), QString::fromUtf8(acceptText));
            auto* layout = new QVBoxLayout(dialog.get());
            layout->addWidget(field);
            layout->addWidget(buttons.box);
            dialog->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));

            ASSERT_EQ(buttons.box->buttons().size(), 2);
            EXPECT_EQ(buttons.box->parent(), dialog.get());
            EXPECT_EQ(buttons.accept->text(), QString::fromUtf8(acceptText));
            EXPECT_EQ(buttons.cancel->text(), QStringLiteral("Zrušit"));
            EXPECT_EQ(buttons.box->buttonRole(buttons.accept), QDialogButtonBox::AcceptRole);
            EXPECT_EQ(buttons.box->buttonRole(buttons.cancel), QDialogButtonBox::RejectRole);
            EXPECT_TRUE(buttons.accept->isDefault());
            EXPECT_FALSE(buttons.cancel->isDefault());
            EXPECT_EQ(accessibleName(buttons.accept), QString::fromUtf8(acceptText));
            EXPECT_EQ(accessibleName(buttons.cancel), QStringLiteral("Zrušit"));

            QSignalSpy finished(dialog.get(), &QDialog::finished);
            ending.act(field, buttons);
            ASSERT_EQ(finished.size(), 1);
            EXPECT_EQ(finished.front().front().toInt(), ending.result);
            EXPECT_FALSE(dialog->isVisible());
        }
    }
}

} // namespace
} // namespace tarvelo::testing
