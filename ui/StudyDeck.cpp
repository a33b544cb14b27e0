// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StudyDeck.h"

#include "BreedCatalogue.h"

#include <algorithm>
#include <random>

namespace tarvelo {

namespace {
std::vector<StudyCard> mixed(std::vector<StudyCard> rest, std::uint32_t seed) {
    std::mt19937 generator(seed);
    std::shuffle(rest.begin(), rest.end(), generator);
    // Taken in the shuffled order, skipping a card of the breed just shown;
    // a breed with more than half of what is left goes first, or it would
    // end up with its photographs side by side.
    std::vector<StudyCard> cards;
    cards.reserve(rest.size());
    int last = -1;
    while (!rest.empty()) {
        std::vector<int> left(breedCount, 0);
        for (const StudyCard& card : rest) {
            ++left[static_cast<std::size_t>(card.breed)];
        }
        const auto most = std::max_element(left.begin(), left.end());
        const int crowded = static_cast<int>(most - left.begin());
        auto pick = rest.end();
        if (crowded != last && static_cast<std::size_t>(*most) * 2 > rest.size()) {
            pick = std::find_if(rest.begin(), rest.end(),
                                [crowded](const StudyCard& c) { return c.breed == crowded; });
        } else {
            pick = std::find_if(rest.begin(), rest.end(),
                                [last](const StudyCard& c) { return c.breed != last; });
        }
        if (pick == rest.end()) {
            pick = rest.begin(); // one breed is all that is left
        }
        last = pick->breed;
        cards.push_back(std::move(*pick));
        rest.erase(pick);
    }
    return cards;
}
} // namespace

StudyDeck::StudyDeck(const PhotoLookup& exists, StudyOrder order, std::uint32_t seed)
    : order_(order) {
    for (int breed = 0; breed < breedCount; ++breed) {
        const std::vector<int> photos = photosOfBreed(breed, exists);
        const int count = static_cast<int>(photos.size());
        for (int k = 0; k < count; ++k) {
            const int photo = photos[static_cast<std::size_t>(k)];
            catalogue_.push_back({breed, photo, photoPath(breed, photo), k + 1, count});
        }
    }
    cards_ = order == StudyOrder::Mixed ? mixed(catalogue_, seed) : catalogue_;
}

void StudyDeck::next() {
    position_ = (position_ + 1) % cards_.size();
}

void StudyDeck::previous() {
    position_ = (position_ + cards_.size() - 1) % cards_.size();
}

void StudyDeck::setOrder(StudyOrder order, std::uint32_t seed) {
    const StudyCard shown = current();
    order_ = order;
    cards_ = order == StudyOrder::Mixed ? mixed(catalogue_, seed) : catalogue_;
    const auto found = std::find_if(cards_.begin(), cards_.end(), [&shown](const StudyCard& c) {
        return c.breed == shown.breed && c.photo == shown.photo;
    });
    position_ = static_cast<std::size_t>(found - cards_.begin());
}

} // namespace tarvelo
