// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvelo {

// The quiz that "Spustit kvíz" and "Hrát" start: tarvelo beside this
// program. Empty path, and a Czech sentence naming where it looked, when
// there is none.
struct QuizProgram {
    QString path;
    QString problem;
};

QuizProgram findQuiz();

} // namespace tarvelo
