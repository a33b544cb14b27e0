// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoCredit.h"

#include <QString>
#include <optional>
#include <random>
#include <vector>

namespace tarvelo {

// Advanced pupils write the names from memory; beginners get the 19 names
// printed as a list to choose from.
enum class PaperQuizLevel { Advanced, Beginner };

// "Začátečník" or "Pokročilý", as the window offers the levels.
QString paperQuizLevelName(PaperQuizLevel level);

// One numbered question of a written test.
struct PaperQuestion {
    int breed = 0;   // index in the catalogue (BreedCatalogue::answers)
    QString picture; // the file printed for it, absolute, with Qt's separators
    // Who took the photograph, printed under it as its licence asks; nothing
    // for a drawing or a photograph the set records no credit for.
    std::optional<PhotoCredit> credit;
};

// A written test, decided in full before anything is drawn, so that the
// pages and the key are made from the same choices: question n + 1 is
// questions[n], every breed once.
struct PaperQuiz {
    PaperQuizLevel level = PaperQuizLevel::Advanced;
    std::vector<PaperQuestion> questions;
};

// The pictures breed `index` may be printed with: its photographs obr/0 ..
// obr/9 under setRoot that exist; when the set holds none, the bundled
// drawing in drawingsDir, so a set that is missing or incomplete still gives
// a whole test and nothing is written into it.
std::vector<QString> printablePictures(const QString& setRoot, const QString& drawingsDir,
                                       int index);

// The breeds in a random order, each with one of its printable pictures,
// every one equally likely, and that photograph's credit (SetCredits.h).
PaperQuiz drawPaperQuiz(const QString& setRoot, const QString& drawingsDir, PaperQuizLevel level,
                        std::mt19937& random);

} // namespace tarvelo
