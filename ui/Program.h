// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Quiz.h"
#include "Unit1.h"
#include "Unit2.h"
#include "ViewBindings.h"

#include <functional>
#include <memory>

namespace tarvelo {

class TApplication;

// The process-wide records: both windows, the view items that bind them to
// the quiz rules, and the quiz itself. They live for the whole process.
class Program {
public:
    using StartWindowRun = std::function<void(TForm2&)>;

    // `runStartWindow` is what the start window's creation does with it:
    // TApplication::runModal in the program, a step-by-step run in tests.
    Program(TApplication& application, StartWindowRun runStartWindow);
    ~Program();

    // Creates the quiz window's question, then runs the start window.
    void start();

    TForm1& form1() { return *form1_; }
    TForm2& form2() { return *form2_; }
    const Quiz& quiz() const { return *quiz_; }

private:
    struct Items;

    TApplication& application_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<Items> items_;
    std::unique_ptr<Quiz> quiz_;
};

// The whole program: start-up, all of the play, shutdown. Returns the exit status.
int runProject1(TApplication& application);

} // namespace tarvelo
