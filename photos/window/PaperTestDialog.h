// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PaperQuiz.h"

#include <QDialog>
#include <QString>

class QRadioButton;

namespace tarvelo {

class PhotoSet;

// "Vytisknout test…": which level the written test is for, "Pokročilý" (the
// names from memory) or "Začátečník" (the names printed to choose from).
class PaperTestDialog : public QDialog {
    Q_OBJECT

public:
    explicit PaperTestDialog(QWidget* parent = nullptr);

    PaperQuizLevel level() const;
    QRadioButton* advancedChoice() const { return advanced_; }
    QRadioButton* beginnerChoice() const { return beginner_; }

private:
    QRadioButton* advanced_;
    QRadioButton* beginner_;
};

// The whole of "Vytisknout test…" on set: asks for the level and the PDF's
// name, writes the test, says why when it cannot (and nothing is left
// half written) and offers to open it in the system's viewer. Returns what
// the window's status line says afterwards; empty when the teacher cancelled.
QString printPaperTest(QWidget* parent, const PhotoSet& set);

} // namespace tarvelo
