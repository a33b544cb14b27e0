// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PictureBox.h"

#include <QWidget>

class QScreen;

namespace tarvelo::bench {

// The quiz window's picture area, shown: the box at (16, 16), 641 x 233, on
// black, as the benchmarks time it; on `screen` when one is named.
struct QuizStage {
    QWidget group;
    PictureBox* box;

    explicit QuizStage(QScreen* screen = nullptr);
};

} // namespace tarvelo::bench
