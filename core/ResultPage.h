// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ViewItems.h"

namespace tarvelo {

// Brings the start window back on its result page and hides the quiz window,
// as a round's end does; the result text is the caller's to set in Label1.
void showResultPage(QuizView& view);

} // namespace tarvelo
