// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LearningMemory.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

// The memory of an account as a small text file, one fact a line:
//
//   tarvelo-learning 1
//   breed 4 3 2026-12-14        (breed index, level 1..5, due date)
//   confused 4 11 2             (shown, answered, count 1..99)
//
// Lines end with "\n". The first line names the format and its version; a
// later version is a foreign file to this one.
inline constexpr std::string_view learningTextHeader = "tarvelo-learning 1";
// Nineteen breeds and every pair written out fit well below this; anything
// larger was not written by this program.
inline constexpr std::size_t maxLearningTextBytes = 16 * 1024;

std::string learningText(const LearningMemory& memory);

enum class LearningTextProblem {
    Oversized, // more than maxLearningTextBytes
    Foreign,   // the first line is not learningTextHeader (another file, another version)
    Damaged,   // a line that is not one of the forms above, a value out of range,
               // a breed or pair given twice, a missing final newline
};

struct ParsedLearning {
    std::optional<LearningMemory> memory;                       // set when the text is sound
    LearningTextProblem problem = LearningTextProblem::Damaged; // when it is not
};

// Reads the text form; refuses anything but what learningText writes, whole.
ParsedLearning parseLearningText(std::string_view text);

} // namespace tarvelo
