// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvelo {

// The caption of every error box: the executable's file name without folder,
// cut at its first ".", every character after the first in lower case.
// "QUIZ.EXE" gives "Quiz", "quiz.beta.exe" gives "quiz".
QString applicationTitleFrom(const QString& executablePath);

// The error box's text: a "." is appended when the last character's code
// is above that of "." itself.
QString errorBoxText(const QString& message);

} // namespace tarvelo
