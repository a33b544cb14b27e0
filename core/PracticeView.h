// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConfusionView.h"
#include "ViewItems.h"

namespace tarvelo {

// The view items practice adds to those the test uses (QuizView), which it
// drives in the same way; bound by the windows, plain records in tests
// (PlainPracticeView.h).
struct PracticeView {
    // Quiz window: "Umím 12 z 19", shown while a practice runs, hidden after.
    ViewItem& Progress;
    // Start window: how many breeds are due today ("K opakování dnes: 3 plemena").
    ViewItem& DueCount;
    // A sentence to show the pupil once: the memory could not be read or
    // saved. Set and shown; the window hides it when it has been seen.
    ViewItem& Notice;
    // Inside the correction panel.
    ConfusionView confusion;
};

} // namespace tarvelo
