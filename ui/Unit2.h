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

    // What the buttons beside the test start; the program sets them. Unset,
    // the buttons do nothing.
    struct Starts {
        std::function<void()> test; // before "OK" shows the quiz window
        std::function<void()> practice;
        std::function<void()> practiceMistakes;
        std::function<void()> study;
        // Whether the result page now showing offers "Procvičit chyby".
        std::function<bool()> mistakesToPractise;
    };
    void setStarts(Starts starts) { starts_ = std::move(starts); }

    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void FormClose(TCloseAction& action);
    void Button4Click();
    void Button5Click();
    void Button6Click();

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
    // Beside the test, outside its pages so that the test's keys and tab
    // order stay as they were: practice and the study view are reached by
    // the mouse or by Alt with the underlined letter.
    QPushButton* Button6; // "Procvičit chyby", on the result page of a test with errors
    QLabel* Label2;       // how many breeds are due for review
    QWidget* Panel1;      // the row under the difficulty page
    QPushButton* Button4; // "Procvičování"
    QPushButton* Button5; // "Prohlížení"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm1& form1_;
    std::function<void(TForm2&)> run_;
    Starts starts_;
};

} // namespace tarvelo
