// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaperTestDialog.h"

#include "CzechButtonBox.h"
#include "DocumentsFolder.h"
#include "ForeignText.h"
#include "MessageBoxes.h"
#include "PaperQuizPdf.h"
#include "PhotoSet.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>
#include <random>

namespace tarvelo {

namespace {
QLabel* explanation(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setContentsMargins(24, 0, 0, 6); // under its radio button's text
    return label;
}

// Where to save the PDF; empty when the teacher cancels.
QString askWhereToSave(QWidget* parent) {
    const QString folder = documentsFolder();
    QString file =
        QFileDialog::getSaveFileName(parent, QStringLiteral("Uložit test"),
                                     QDir(folder).filePath(QStringLiteral("test-plemena.pdf")),
                                     QStringLiteral("Dokument PDF (*.pdf)"));
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty()) {
        file += QStringLiteral(".pdf");
    }
    return file;
}

void offerToOpen(QWidget* parent, const QString& file) {
    const QString shown = quotedName(QDir::toNativeSeparators(file));
    const auto answer =
        showMessage(parent, QMessageBox::Question,
                    QStringLiteral("Test je uložen v souboru „%1“. Otevřít ho?").arg(shown),
                    QMessageBox::Open | QMessageBox::Close, QMessageBox::Open);
    if (answer == QMessageBox::Open && !QDesktopServices::openUrl(QUrl::fromLocalFile(file))) {
        showMessage(parent, QMessageBox::Warning,
                    QStringLiteral("Soubor „%1“ se nepodařilo otevřít. Otevřete ho v prohlížeči "
                                   "PDF.")
                        .arg(shown));
    }
}
} // namespace

PaperTestDialog::PaperTestDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Vytisknout test"));
    auto* intro = new QLabel(QStringLiteral("Test na papír: fotografie všech 19 plemen v náhodném "
                                            "pořadí, na poslední straně řešení."),
                             this);
    intro->setWordWrap(true);

    auto* levels = new QGroupBox(QStringLiteral("Úroveň"), this);
    advanced_ = new QRadioButton(QStringLiteral("Pokročilý"), levels);
    beginner_ = new QRadioButton(QStringLiteral("Začátečník"), levels);
    advanced_->setChecked(true);
    auto* levelsLayout = new QVBoxLayout(levels);
    levelsLayout->addWidget(advanced_);
    levelsLayout->addWidget(explanation(QStringLiteral("Názvy plemen žáci píší zpaměti."), levels));
    levelsLayout->addWidget(beginner_);
    levelsLayout->addWidget(
        explanation(QStringLiteral("Názvy plemen jsou vytištěné jako seznam na výběr."), levels));

    const CzechButtonBox buttons = makeCzechButtonBox(this, QStringLiteral("Uložit jako PDF…"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(levels);
    layout->addWidget(buttons.box);
    advanced_->setFocus(Qt::OtherFocusReason);
}

PaperQuizLevel PaperTestDialog::level() const {
    return beginner_->isChecked() ? PaperQuizLevel::Beginner : PaperQuizLevel::Advanced;
}

QString printPaperTest(QWidget* parent, const PhotoSet& set) {
    PaperTestDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QString file = askWhereToSave(parent);
    if (file.isEmpty()) {
        return {};
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::mt19937 random(std::random_device{}());
    const PaperQuiz test = drawPaperQuiz(set.root(), set.drawingsDir(), dialog.level(), random);
    const auto problem = savePaperQuiz(test, file);
    QApplication::restoreOverrideCursor();
    if (problem) {
        showError(parent, *problem);
        return QStringLiteral("Test nebyl uložen.");
    }
    offerToOpen(parent, file);
    return QStringLiteral("Test (%1) uložen do souboru %2.")
        .arg(paperQuizLevelName(test.level), quotedName(QDir::toNativeSeparators(file)));
}

} // namespace tarvelo
