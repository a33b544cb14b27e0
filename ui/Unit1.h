// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvelo {

class PictureBox;
class Quiz;

// The quiz window: the photograph on the left, the answer controls on the
// right, the correction panel along the bottom. It only binds its events to
// the quiz rules.
class TForm1 : public TForm {
    Q_OBJECT
public:
    explicit TForm1(TApplication& application);

    void bind(Quiz& quiz) { quiz_ = &quiz; }

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

private:
    Quiz* quiz_ = nullptr;
};

} // namespace tarvelo
