// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvelo {

enum class Difficulty : std::uint8_t {
    Beginner = 0, // answer chosen from the list
    Advanced = 1, // answer typed, exact text only
};

// The round's phase is the answer button's caption, compared as exact text.
namespace RoundPhase {
inline constexpr std::string_view answering = "OK";
inline constexpr std::string_view reviewing = "NEXT";
inline constexpr std::string_view finished = "Start page";
} // namespace RoundPhase

inline constexpr std::int32_t questionsPerRound = 19;
inline constexpr std::size_t historySlots = 1001;

// State of the round on display. Slot k of askedHistory holds the picture of
// question k + 1; slots from questionNumber upward hold 0.
struct QuizRound {
    std::int32_t questionNumber = 0;
    std::int32_t errorCount = 0;
    std::int32_t currentPicture = 0;
    std::array<std::int32_t, historySlots> askedHistory{};
    Difficulty difficulty = Difficulty::Beginner;
};

// Texts the round shows.
std::string questionLabel(std::int32_t questionNumber);                  // "7. "
std::string errorLine(std::int32_t errors, std::int32_t questionNumber); // " Chyb: 1/7 "
std::string resultText(Difficulty difficulty, std::int32_t errors, std::int32_t questionNumber);

} // namespace tarvelo
