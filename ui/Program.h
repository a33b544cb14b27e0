// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LocalDate.h"
#include "Practice.h"
#include "Quiz.h"
#include "StudyWindow.h"
#include "Unit1.h"
#include "Unit2.h"
#include "ViewBindings.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarvelo {

class BackgroundSaver;
class LearningStore;
class TApplication;

// Where practice keeps what the account learnt, and what day it is.
struct LearningPlace {
    // The memory's file; empty keeps it for this run only.
    std::string memoryPath;
    TodaySource today;

    // The account's data folder and the system's clock.
    static LearningPlace ofAccount();
};

// The process-wide records: both windows, the view items that bind them to
// the quiz rules, and the quiz itself. They live for the whole process.
class Program {
public:
    using StartWindowRun = std::function<void(TForm2&)>;

    // `runStartWindow` is what the start window's creation does with it:
    // TApplication::runModal in the program, a step-by-step run in tests.
    Program(TApplication& application, StartWindowRun runStartWindow,
            LearningPlace learning = LearningPlace::ofAccount());
    ~Program();

    // Creates the quiz window's question, then runs the start window.
    void start();

    TForm1& form1() { return *form1_; }
    TForm2& form2() { return *form2_; }
    const Quiz& quiz() const { return *quiz_; }
    const Practice& practice() const { return *practice_; }
    // The study view last opened from the start window; null before.
    StudyWindow* studyWindow() { return study_.get(); }

private:
    struct Items;

    // "Prohlížení": the start window gives way to the study view and comes
    // back when it closes.
    void openStudy();
    // "Procvičování" (`breeds` empty) and "Procvičit chyby": the quiz window
    // with practice's first question, as "OK" shows it with the test's.
    void startPractice(std::vector<int> breeds);
    // What screen readers hear of the photograph: the question, never the breed.
    QString questionDescription() const;

    TApplication& application_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<Items> items_;
    std::unique_ptr<Quiz> quiz_;
    std::unique_ptr<LearningStore> store_;
    // After each answer, off the event loop; written out before the store goes.
    std::unique_ptr<BackgroundSaver> saver_;
    std::unique_ptr<Practice> practice_;
    std::unique_ptr<StudyWindow> study_;
    // What the start window last started: the result page after a practice
    // offers no "Procvičit chyby" for an earlier test.
    bool practiceStartedLast_ = false;
};

// The whole program: start-up, all of the play, shutdown. Returns the exit status.
int runProject1(TApplication& application);

} // namespace tarvelo
