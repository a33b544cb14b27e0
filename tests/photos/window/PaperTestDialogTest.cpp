// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// "Vytisknout test…": the level and the file asked for, and the test written.
#include "PaperTestDialog.h"

#include "WindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace tarvelo::testing {
namespace {

class PaperTestDialogTest : public WindowFixture {};

// "Vytisknout test…" through its dialogs, answered as a teacher would: the
// level, then the file; the file is written, or a folder that cannot be
// written is named in a message and nothing is left.
TEST_F(PaperTestDialogTest, VytisknoutTestAsksForTheLevelAndTheFileAndWritesIt) {
    open();
    auto* print = window->findChild<QPushButton*>(QStringLiteral("paperTest"));
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->text(), QStringLiteral("Vytisknout test…"));

    QString file = path("test.pdf");
    QStringList offered;
    QTimer answerer;
    answerer.setInterval(5);
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<PaperTestDialog*>(modal)) {
            EXPECT_TRUE(dialog->advancedChoice()->isChecked()); // the default
            EXPECT_EQ(dialog->advancedChoice()->text(), QStringLiteral("Pokročilý"));
            dialog->beginnerChoice()->click();
            EXPECT_EQ(dialog->level(), PaperQuizLevel::Beginner);
            dialog->accept();
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            offered << files->selectedFiles();
            files->selectFile(file);
            static_cast<QDialog*>(files)->accept(); // what its Save button does
        }
    });
    answerer.start();

    print->click();
    ASSERT_EQ(offered.size(), 1);
    EXPECT_TRUE(offered.front().endsWith(QStringLiteral("/test-plemena.pdf")))
        << offered.front().toStdString();
    EXPECT_TRUE(contents(file).startsWith("%PDF-"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.back().text, QStringLiteral("Test je uložen v souboru „%1“. Otevřít ho?")
                                     .arg(QDir::toNativeSeparators(file)));
    EXPECT_EQ(window->view()->statusLabel()->text(),
              QStringLiteral("Test (Začátečník) uložen do souboru %1.")
                  .arg(QDir::toNativeSeparators(file)));

    QFile blocker(path("soubor"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    file = path("soubor/test.pdf");
    print->click();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes.back().text.startsWith(
        QStringLiteral("Test nelze uložit jako „%1“: ").arg(QDir::toNativeSeparators(file))))
        << boxes.back().text.toStdString();
    EXPECT_EQ(window->view()->statusLabel()->text(), QStringLiteral("Test nebyl uložen."));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QDir(path("")).entryList(QDir::Files),
              (QStringList{QStringLiteral("soubor"), QStringLiteral("test.pdf")}));
}

} // namespace
} // namespace tarvelo::testing
