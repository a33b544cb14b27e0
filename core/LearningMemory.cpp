// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LearningMemory.h"

#include <algorithm>
#include <stdexcept>

namespace tarvelo {

namespace {
std::size_t slot(int breed) {
    if (breed < 0 || breed >= breedCount) {
        throw std::out_of_range("breed index " + std::to_string(breed));
    }
    return static_cast<std::size_t>(breed);
}

constexpr auto maxLevel = static_cast<std::int32_t>(reviewIntervals.size());
} // namespace

const BreedReview& LearningMemory::review(int breed) const {
    return reviews_[slot(breed)];
}

std::vector<int> LearningMemory::dueBreeds(LocalDate today) const {
    std::vector<int> due;
    for (int breed = 0; breed < breedCount; ++breed) {
        const BreedReview& r = reviews_[slot(breed)];
        if (r.level > 0 && r.due <= today) {
            due.push_back(breed);
        }
    }
    return due;
}

void LearningMemory::recordReview(int breed, bool right, LocalDate today) {
    BreedReview& r = reviews_[slot(breed)];
    if (!right) {
        r.level = 1;
    } else if (r.level == 0 || r.due <= today) {
        r.level = std::min(r.level + 1, maxLevel);
    } else {
        return; // right before its day: the schedule stands
    }
    r.due = today.plusDays(reviewIntervals[static_cast<std::size_t>(r.level - 1)]);
}

void LearningMemory::recordConfusion(int shown, int answered) {
    if (shown == answered) {
        return;
    }
    std::int32_t& count = confusions_[slot(shown)][slot(answered)];
    count = std::min(count + 1, maxConfusionCount);
}

std::vector<Confusion> LearningMemory::confusions() const {
    std::vector<Confusion> all;
    for (int shown = 0; shown < breedCount; ++shown) {
        for (int answered = 0; answered < breedCount; ++answered) {
            const std::int32_t count = confusions_[slot(shown)][slot(answered)];
            if (count > 0) {
                all.push_back(Confusion{shown, answered, count});
            }
        }
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const Confusion& a, const Confusion& b) { return a.count > b.count; });
    return all;
}

std::vector<int> LearningMemory::confusedWith(int breed) const {
    std::vector<std::pair<std::int32_t, int>> partners;
    for (int other = 0; other < breedCount; ++other) {
        const std::int32_t count =
            confusions_[slot(breed)][slot(other)] + confusions_[slot(other)][slot(breed)];
        if (other != breed && count > 0) {
            partners.emplace_back(count, other);
        }
    }
    std::stable_sort(partners.begin(), partners.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<int> result;
    for (const auto& partner : partners) {
        result.push_back(partner.second);
    }
    return result;
}

void LearningMemory::setReview(int breed, BreedReview review) {
    reviews_[slot(breed)] = review;
}

void LearningMemory::setConfusion(Confusion confusion) {
    confusions_[slot(confusion.shown)][slot(confusion.answered)] =
        std::clamp(confusion.count, 0, maxConfusionCount);
}

} // namespace tarvelo
