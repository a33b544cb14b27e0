// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TForm.h"

#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tarvelo {

class TForm1;

// The start window: the difficulty page before a round, the result page
// after it. Exactly one page is visible at a time.
class TForm2 : public TForm {
    Q_OBJECT
public:
    // `run` is what creation does with the window: the program runs it modally.
    TForm2(TApplication& application, TForm1& form1, std::function<void(TForm2&)> run);

    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void FormClose(TCloseAction& action);

    void closeNotice(TCloseAction& action) override { FormClose(action); }
    QWidget* focusTargetOnActivation() override;

    // Controls, in creation order.
    QGroupBox* GroupBox1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QPushButton* Button1;
    QGroupBox* GroupBox2;
    QLabel* Label1;
    QPushButton* Button2;
    QPushButton* Button3;

private:
    TForm1& form1_;
    std::function<void(TForm2&)> run_;
};

} // namespace tarvelo
