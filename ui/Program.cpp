// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Program.h"

#include "BackgroundSaver.h"
#include "LearningFolder.h"
#include "LearningStore.h"
#include "LocalClock.h"
#include "PictureBox.h"
#include "TApplication.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <algorithm>

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
    // Practice's own.
    WidgetItem Progress;
    WidgetItem DueCount;
    NoticeItem Notice;
    WidgetItem ConfusedName;
    WidgetItem ConfusedFrame;

    Items(TForm1& f1, TForm2& f2, std::function<QString()> questionDescription)
        : ComboBox1(f1.ComboBox1), Edit1(editItem(f1.Edit1)), BitBtn1(buttonItem(f1.BitBtn1)),
          Label6(questionItem(f1.Label6, f1.Image1, std::move(questionDescription))),
          GroupBox3(groupItem(f1.GroupBox3)), Label3(labelItem(f1.Label3)),
          Label7(labelItem(f1.Label7)), Form1(formItem(&f1)), Form2(&f2),
          GroupBox1(groupItem(f2.GroupBox1)), GroupBox2(groupItem(f2.GroupBox2)),
          Label1(resultItem(f2.Label1)), RadioButton1(f2.RadioButton1),
          RadioButton2(f2.RadioButton2), Progress(labelItem(f1.Label8)),
          DueCount(labelItem(f2.Label2)), Notice([&f1, &f2]() -> QWidget* {
              return f1.isVisible() ? static_cast<QWidget*>(&f1) : &f2;
          }),
          ConfusedName(confusedNameItem(f1.GroupBox4, f1.Label9, f1.Image2)),
          ConfusedFrame(frameItem(f1.Frame1)) {}

    QuizView view(PictureBox& image) {
        return QuizView{ComboBox1, Edit1,     BitBtn1, Label6,       GroupBox3,
                        Label3,    Label7,    image,   Form1,        Form2,
                        GroupBox1, GroupBox2, Label1,  RadioButton1, RadioButton2};
    }

    ConfusionView confusion(PictureBox& image) {
        return ConfusionView{ConfusedName, ConfusedFrame, image};
    }

    PracticeView practice(PictureBox& image) {
        return PracticeView{Progress, DueCount, Notice, confusion(image)};
    }
};

LearningPlace LearningPlace::ofAccount() {
    return {learningFilePath().value_or(std::string()), localToday};
}

Program::Program(TApplication& application, StartWindowRun runStartWindow, LearningPlace learning)
    : application_(application), form1_(std::make_unique<TForm1>(application)),
      // Built now but created (its handler run) only after the quiz window.
      form2_(std::make_unique<TForm2>(application, *form1_, std::move(runStartWindow))),
      items_(std::make_unique<Items>(*form1_, *form2_, [this] { return questionDescription(); })),
      quiz_(std::make_unique<Quiz>(items_->view(*form1_->Image1))),
      store_(std::make_unique<LearningStore>(learning.memoryPath, localTimeStamp)),
      saver_(std::make_unique<BackgroundSaver>(
          [this](const LearningMemory& memory) { return store_->save(memory); })) {
    quiz_->showConfusionsIn(items_->confusion(*form1_->Image2));
    practice_ = std::make_unique<Practice>(
        items_->view(*form1_->Image1), items_->practice(*form1_->Image2), *quiz_, store_->memory(),
        [this](const LearningMemory& memory) { return saver_->save(memory); },
        std::move(learning.today));
    form1_->bind(*quiz_);
    form1_->bindPractice(*practice_);
    form2_->setStarts({
        .test = [this] { practiceStartedLast_ = false; },
        .practice = [this] { startPractice({}); },
        .practiceMistakes = [this] { startPractice(quiz_->lastRoundMissed()); },
        .study = [this] { openStudy(); },
        .mistakesToPractise =
            [this] { return !practiceStartedLast_ && !quiz_->lastRoundMissed().empty(); },
    });
}

QString Program::questionDescription() const {
    if (practice_ != nullptr && practice_->running()) {
        return QStringLiteral("Otázka %1").arg(practice_->questionNumber());
    }
    return QStringLiteral("Otázka %1 z %2")
        .arg(quiz_->round().questionNumber)
        .arg(questionsPerRound);
}

void Program::startPractice(std::vector<int> breeds) {
    practiceStartedLast_ = true;
    practice_->start(std::move(breeds));
    form1_->showAndActivate();
    form2_->hide();
}

void Program::openStudy() {
    // A new view each time: the set is looked at afresh, and the old one is
    // let go here rather than in its own close handler.
    study_ = std::make_unique<StudyWindow>(
        StudyDeck(photoFileExists, StudyOrder::Catalogue, QRandomGenerator::global()->generate()),
        [this] {
            // Back on the difficulty page's own control, so that Enter means
            // "OK" again rather than the study view's button.
            form2_->setActiveControl(nullptr);
            form2_->showAndActivate();
        });
    // Where the start window was, so the pupil's eyes need not search for it.
    const QPoint place = form2_->geometry().center() - study_->rect().center();
    study_->move(std::max(place.x(), 0), std::max(place.y(), 0));
    study_->show();
    study_->raise();
    study_->activateWindow();
    form2_->hide();
}

Program::~Program() = default;

void Program::start() {
    // A photograph that fails to load here is reported before any window
    // shows, and start-up goes on.
    application_.dispatch([this] { form1_->FormCreate(); });
    practice_->showDueCount();
    practice_->showNotice(store_->takeNotice());
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
