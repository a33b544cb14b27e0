// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuizRound.h"

namespace tarvelo {

std::string questionLabel(std::int32_t questionNumber) {
    return std::to_string(questionNumber) + ". ";
}

std::string errorLine(std::int32_t errors, std::int32_t questionNumber) {
    return " Chyb: " + std::to_string(errors) + "/" + std::to_string(questionNumber) + " ";
}

std::string resultText(Difficulty difficulty, std::int32_t errors, std::int32_t questionNumber) {
    const std::string level = difficulty == Difficulty::Beginner ? "Začátečník" : "Pokročilý";
    return level + ": Skore: " + std::to_string(errors) + " / " + std::to_string(questionNumber);
}

} // namespace tarvelo
