// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PlainView.h"
#include "PracticeView.h"

namespace tarvelo {

// Practice's own view items as plain records, beside PlainView's.
struct PlainPracticeView {
    PlainItem Progress;
    PlainItem DueCount;
    PlainItem Notice;
    PlainItem ConfusedName;
    PlainItem ConfusedFrame;
    PlainPicture ConfusedImage;

    ConfusionView confusion() { return ConfusionView{ConfusedName, ConfusedFrame, ConfusedImage}; }
    PracticeView bind() { return PracticeView{Progress, DueCount, Notice, confusion()}; }
};

} // namespace tarvelo
