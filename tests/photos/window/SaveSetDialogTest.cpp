// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// "Uložit sadu do souboru…": the set's name and note asked for and written
// into one file for colleagues.
#include "SaveSetDialog.h"

#include "PhotoRow.h"
#include "SharedSetContents.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace tarvelo::testing {
namespace {

// How the test answers "Uložit sadu do souboru…": the set's name and note,
// then the file, or "Zrušit" there; and what the file dialog offered.
struct SaveAnswers {
    QString note;
    QString file;
    QStringList offered;
    bool cancel = false;

    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<SaveSetDialog*>(modal)) {
            EXPECT_EQ(accessibleText(dialog->nameField(), QAccessible::Name),
                      QStringLiteral("Název sady"));
            EXPECT_EQ(accessibleText(dialog->noteField(), QAccessible::Name),
                      QStringLiteral("Poznámka (například odkud fotografie jsou a pod jakou "
                                     "licencí)"));
            EXPECT_FALSE(dialog->saveButton()->isEnabled()); // no name, no file name
            dialog->nameField()->setText(QStringLiteral("Skot: 3.B"));
            EXPECT_TRUE(dialog->saveButton()->isEnabled());
            dialog->noteField()->setPlainText(note);
            dialog->saveButton()->click();
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            offered << files->selectedFiles();
            if (cancel) {
                files->reject();
                return;
            }
            files->selectFile(file);
            static_cast<QDialog*>(files)->accept();
        }
    }
};

class SaveSetDialogTest : public WindowFixture {};

// "Uložit sadu do souboru…" through its dialogs: the name and the note end
// up in the file, which is offered in Documents under the set's name; a set
// without photographs is refused with a message and leaves no file.
TEST_F(SaveSetDialogTest, UlozitSaduAsksForNameAndNoteAndWritesThemIntoTheFile) {
    open();
    ASSERT_TRUE(importInto(4, writePhoto("a.jpg", 1600, 1200)));
    QPushButton* save = window->saveSetButton();
    EXPECT_EQ(save->text(), QStringLiteral("Uložit sadu do souboru…"));
    EXPECT_FALSE(accessibleText(save, QAccessible::Name).isEmpty());
    EXPECT_EQ(window->openSetButton()->text(), QStringLiteral("Otevřít sadu ze souboru…"));

    const QString note = QStringLiteral("Fotografie: školní statek Lány\nLicence CC BY 4.0");
    SaveAnswers answers{.note = note, .file = path("sdílená"), .offered = {}, .cancel = false};
    QString& file = answers.file;
    QStringList& offered = answers.offered;
    bool& cancel = answers.cancel;
    QTimer answerer;
    answerer.setInterval(5);
    QObject::connect(&answerer, &QTimer::timeout, [&answers] { answers.answer(); });
    answerer.start();

    save->click();
    ASSERT_EQ(offered.size(), 1);
    // A colon is no character for a file name on Windows.
    EXPECT_TRUE(offered.front().endsWith(QStringLiteral("/Skot- 3.B.tarvelo")))
        << offered.front().toStdString();
    file += QStringLiteral(".tarvelo"); // added where missing
    const fixtures::SharedSetRead read = fixtures::readSharedSet(file);
    ASSERT_TRUE(read.set) << read.message.toStdString();
    EXPECT_EQ(read.set->info.name, QStringLiteral("Skot: 3.B"));
    EXPECT_EQ(read.set->info.note, note);
    EXPECT_EQ(read.set->photos.at(4).size(), 1u);
    EXPECT_EQ(read.set->photos.at(4).front(), contents(setFile(0, 4)));
    EXPECT_TRUE(read.set->photos.at(5).empty()); // drawings stay at home
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes.back().text.contains(QDir::toNativeSeparators(file)))
        << boxes.back().text.toStdString();
    EXPECT_EQ(window->view()->statusLabel()->text(),
              QStringLiteral("Sada „Skot: 3.B“ uložena do souboru %1.")
                  .arg(QDir::toNativeSeparators(file)));

    // Cancelled where to save: nothing written, nothing said.
    cancel = true;
    save->click();
    EXPECT_EQ(offered.size(), 2);
    EXPECT_EQ(boxes.size(), 1u);
    cancel = false;

    // Without a photograph there is nothing to share.
    window->view()->row(4)->removeButton(0)->click();
    file = path("prázdná.tarvelo");
    save->click();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(window->view()->statusLabel()->text(), QStringLiteral("Sada nebyla uložena."));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace tarvelo::testing
