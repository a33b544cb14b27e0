// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveSetDialog.h"

#include "CzechButtonBox.h"
#include "DocumentsFolder.h"
#include "ForeignText.h"
#include "MessageBoxes.h"
#include "PhotoSet.h"
#include "SetFileName.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvelo {

namespace {
const QString extension = QStringLiteral(".tarvelo");

// Where to save the set; empty when the teacher cancels.
QString askWhereToSave(QWidget* parent, const QString& name) {
    const QString folder = documentsFolder();
    QString file =
        QFileDialog::getSaveFileName(parent, QStringLiteral("Uložit sadu do souboru"),
                                     QDir(folder).filePath(setFileStem(name) + extension),
                                     QStringLiteral("Sada Tarvela (*.tarvelo)"));
    if (!file.isEmpty() && !file.endsWith(extension, Qt::CaseInsensitive)) {
        file += extension;
    }
    return file;
}
} // namespace

SaveSetDialog::SaveSetDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Uložit sadu do souboru"));
    auto* intro = new QLabel(QStringLiteral("Sadu uložíte jako jeden soubor, který můžete poslat "
                                            "kolegům e-mailem, přes Teams nebo na flash disku."),
                             this);
    intro->setWordWrap(true);

    name_ = new QLineEdit(this);
    name_->setMaxLength(static_cast<int>(setNameBounds.characters));
    name_->setAccessibleName(QStringLiteral("Název sady"));
    auto* nameLabel = new QLabel(QStringLiteral("&Název sady"), this);
    nameLabel->setBuddy(name_);
    note_ = new QPlainTextEdit(this);
    note_->setTabChangesFocus(true);
    const QString noteText =
        QStringLiteral("Poznámka (například odkud fotografie jsou a pod jakou licencí)");
    note_->setAccessibleName(noteText);
    auto* noteLabel = new QLabel(QStringLiteral("&") + noteText, this);
    noteLabel->setWordWrap(true);
    noteLabel->setBuddy(note_);

    const CzechButtonBox buttons = makeCzechButtonBox(this, QStringLiteral("Uložit…"));
    save_ = buttons.accept;
    // Without a name there is nothing to call the file.
    save_->setEnabled(false);
    connect(name_, &QLineEdit::textChanged, this,
            [this](const QString& text) { save_->setEnabled(!shownSetName(text).isEmpty()); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(nameLabel);
    layout->addWidget(name_);
    layout->addWidget(noteLabel);
    layout->addWidget(note_);
    layout->addWidget(buttons.box);
    name_->setFocus(Qt::OtherFocusReason);
}

SharedSetInfo SaveSetDialog::info() const {
    // As a colleague's Tarvelo will show them.
    return {.name = shownSetName(name_->text()), .note = shownSetNote(note_->toPlainText())};
}

QString saveSetToFile(QWidget* parent, const PhotoSet& set) {
    SaveSetDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const SharedSetInfo info = dialog.info();
    const QString file = askWhereToSave(parent, info.name);
    if (file.isEmpty()) {
        return {};
    }
    const QString shown = quotedName(QDir::toNativeSeparators(file));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto problem = saveSharedSet(set, info, file);
    QApplication::restoreOverrideCursor();
    if (problem) {
        showError(parent, *problem);
        return QStringLiteral("Sada nebyla uložena.");
    }
    showInformation(parent, QStringLiteral("Sada „%1“ je uložena v souboru „%2“. Kolegové ji "
                                           "otevřou tlačítkem „Otevřít sadu ze souboru…“.")
                                .arg(info.name, shown));
    return QStringLiteral("Sada „%1“ uložena do souboru %2.").arg(info.name, shown);
}

} // namespace tarvelo
