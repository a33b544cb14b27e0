// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PracticeTexts.h"

namespace tarvelo {

namespace {
// Czech counts take one form for 1, another for 2 to 4 and a third for the rest.
std::string_view czechForm(std::int32_t count, std::string_view one, std::string_view few,
                           std::string_view many) {
    if (count == 1) {
        return one;
    }
    return count >= 2 && count <= 4 ? few : many;
}
} // namespace

std::string progressText(std::int32_t known, std::int32_t total) {
    return "Umím " + std::to_string(known) + " z " + std::to_string(total);
}

std::string practiceEndText(std::int32_t questions, std::int32_t total) {
    return "Procvičování dokončeno za " + std::to_string(questions) + " " +
           std::string(czechForm(questions, "otázku", "otázky", "otázek")) + ". " +
           progressText(total, total) + ".";
}

std::string dueText(std::int32_t due) {
    if (due <= 0) {
        return "Dnes není nic k opakování.";
    }
    return "K opakování dnes: " + std::to_string(due) + " " +
           std::string(czechForm(due, "plemeno", "plemena", "plemen"));
}

std::string confusionDescription(std::string_view otherBreed) {
    return "Zaměněno s: " + std::string(otherBreed);
}

std::string saveFailedText(std::string_view reason) {
    return "Postup procvičování se nepodařilo uložit: " + std::string(reason);
}

} // namespace tarvelo
