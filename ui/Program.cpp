// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Program.h"

#include "PictureBox.h"
#include "TApplication.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tarvelo {

struct Program::Items {
    ListItem ComboBox1;
    WidgetItem Edit1;
    WidgetItem BitBtn1;
    WidgetItem Label6;
    WidgetItem GroupBox3;
    WidgetItem Label3;
    WidgetItem Label7;
    WidgetItem Form1;
    WindowItem Form2;
    WidgetItem GroupBox1;
    WidgetItem GroupBox2;
    WidgetItem Label1;
    RadioItem RadioButton1;
    RadioItem RadioButton2;

    Items(TForm1& f1, TForm2& f2, std::function<int()> questionNumber)
        : ComboBox1(f1.ComboBox1), Edit1(editItem(f1.Edit1)), BitBtn1(buttonItem(f1.BitBtn1)),
          Label6(questionItem(f1.Label6, f1.Image1, std::move(questionNumber))),
          GroupBox3(groupItem(f1.GroupBox3)), Label3(labelItem(f1.Label3)),
          Label7(labelItem(f1.Label7)), Form1(formItem(&f1)), Form2(&f2),
          GroupBox1(groupItem(f2.GroupBox1)), GroupBox2(groupItem(f2.GroupBox2)),
          Label1(labelItem(f2.Label1)), RadioButton1(f2.RadioButton1),
          RadioButton2(f2.RadioButton2) {}

    QuizView view(PictureBox& image) {
        return QuizView{ComboBox1, Edit1,     BitBtn1, Label6,       GroupBox3,
                        Label3,    Label7,    image,   Form1,        Form2,
                        GroupBox1, GroupBox2, Label1,  RadioButton1, RadioButton2};
    }
};

Program::Program(TApplication& application, StartWindowRun runStartWindow)
    : application_(application), form1_(std::make_unique<TForm1>(application)),
      // Built now but created (its handler run) only after the quiz window.
      form2_(std::make_unique<TForm2>(application, *form1_, std::move(runStartWindow))),
      items_(std::make_unique<Items>(*form1_, *form2_,
                                     [this] { return quiz_->round().questionNumber; })),
      quiz_(std::make_unique<Quiz>(items_->view(*form1_->Image1))) {
    form1_->bind(*quiz_);
}

Program::~Program() = default;

void Program::start() {
    // A photograph that fails to load here is reported before any window
    // shows, and start-up goes on.
    application_.dispatch([this] { form1_->FormCreate(); });
    application_.setMainWindow(form1_.get());
    form1_->winId(); // the native window exists while still hidden
    application_.dispatch([this] { form2_->FormCreate(); });
}

int runProject1(TApplication& application) {
    Program program(application, [&application](TForm2& form) { application.runModal(form); });
    program.start();
    application.runUntilQuit();
    return 0;
}

} // namespace tarvelo
