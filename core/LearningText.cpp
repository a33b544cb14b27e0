// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LearningText.h"

#include <array>
#include <charconv>
#include <vector>

namespace tarvelo {

std::string learningText(const LearningMemory& memory) {
    std::string text(learningTextHeader);
    text += '\n';
    for (int breed = 0; breed < breedCount; ++breed) {
        const BreedReview& review = memory.review(breed);
        if (review.level > 0) {
            text += "breed " + std::to_string(breed) + ' ' + std::to_string(review.level) + ' ' +
                    dateText(review.due) + '\n';
        }
    }
    for (const Confusion& pair : memory.confusions()) {
        text += "confused " + std::to_string(pair.shown) + ' ' + std::to_string(pair.answered) +
                ' ' + std::to_string(pair.count) + '\n';
    }
    return text;
}

namespace {

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> result;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        result.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

// A decimal number without sign or leading zeros within [low, high].
std::optional<std::int32_t> number(std::string_view word, std::int32_t low, std::int32_t high) {
    if (word.empty() || word.size() > 3 || (word.size() > 1 && word[0] == '0')) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc{} || end != word.data() + word.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

constexpr auto lastBreed = breedCount - 1;
constexpr auto maxLevel = static_cast<std::int32_t>(reviewIntervals.size());

// One line into memory; false when it is not a sound line or repeats a fact.
bool readLine(std::string_view line, LearningMemory& memory,
              std::array<bool, breedCount>& breedSeen) {
    const std::vector<std::string_view> parts = words(line);
    if (parts.size() != 4) {
        return false;
    }
    if (parts[0] == "breed") {
        const auto breed = number(parts[1], 0, lastBreed);
        const auto level = number(parts[2], 1, maxLevel);
        const auto due = parseDateText(parts[3]);
        if (!breed || !level || !due || breedSeen[static_cast<std::size_t>(*breed)]) {
            return false;
        }
        breedSeen[static_cast<std::size_t>(*breed)] = true;
        memory.setReview(*breed, BreedReview{*level, *due});
        return true;
    }
    if (parts[0] == "confused") {
        const auto shown = number(parts[1], 0, lastBreed);
        const auto answered = number(parts[2], 0, lastBreed);
        const auto count = number(parts[3], 1, maxConfusionCount);
        if (!shown || !answered || !count || *shown == *answered) {
            return false;
        }
        for (const Confusion& known : memory.confusions()) {
            if (known.shown == *shown && known.answered == *answered) {
                return false;
            }
        }
        memory.setConfusion(Confusion{*shown, *answered, *count});
        return true;
    }
    return false;
}

ParsedLearning refused(LearningTextProblem problem) {
    return ParsedLearning{std::nullopt, problem};
}

} // namespace

ParsedLearning parseLearningText(std::string_view text) {
    if (text.size() > maxLearningTextBytes) {
        return refused(LearningTextProblem::Oversized);
    }
    const std::size_t headerEnd = text.find('\n');
    if (text.substr(0, headerEnd) != learningTextHeader) {
        return refused(LearningTextProblem::Foreign);
    }
    if (text.back() != '\n') {
        return refused(LearningTextProblem::Damaged);
    }
    LearningMemory memory;
    std::array<bool, breedCount> breedSeen{};
    std::size_t start = headerEnd + 1;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (!readLine(text.substr(start, end - start), memory, breedSeen)) {
            return refused(LearningTextProblem::Damaged);
        }
        start = end + 1;
    }
    return ParsedLearning{memory, LearningTextProblem::Damaged};
}

} // namespace tarvelo
