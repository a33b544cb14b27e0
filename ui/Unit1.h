// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TForm.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvelo {

class PictureBox;
class Practice;
class Quiz;

// The quiz window: the photograph on the left, the answer controls on the
// right, the correction panel along the bottom. It only binds its events to
// the quiz rules.
class TForm1 : public TForm {
    Q_OBJECT
public:
    explicit TForm1(TApplication& application);

    void bind(Quiz& quiz) { quiz_ = &quiz; }
    // While a practice runs, the button and the activation go to it.
    void bindPractice(Practice& practice) { practice_ = &practice; }

    void FormCreate();
    void FormActivate();
    void BitBtn1Click();

    void activationNotice() override { FormActivate(); }

    // Controls, in creation order.
    QGroupBox* GroupBox1;
    PictureBox* Image1;
    QGroupBox* GroupBox2;
    QLabel* Label1;
    QLabel* Label6;
    QComboBox* ComboBox1;
    QLineEdit* Edit1;
    QPushButton* BitBtn1;
    QGroupBox* GroupBox3;
    QLabel* Label3;
    QLabel* Label7;
    // What practice adds; hidden throughout a test.
    QLabel* Label8; // progress, "Umím 12 z 19", under the answer
    // The breed a wrong answer named, over the right part of the correction
    // panel: its name and a small photograph beside the right name. A panel
    // of its own, so that screen readers hear it as it appears and the
    // correction panel holds what it always held.
    QGroupBox* GroupBox4;
    QLabel* Label9; // "Zaměněno s: Jersey"
    QFrame* Frame1; // the small photograph's frame
    PictureBox* Image2;

private:
    // The constructor's steps, each making its controls in the order they
    // always were made.
    void makeAnswerGroup();
    void makeCorrectionPanels();
    bool practising() const;

    Quiz* quiz_ = nullptr;
    Practice* practice_ = nullptr;
};

} // namespace tarvelo
