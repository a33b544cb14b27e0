// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedPhotos.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvelo {

// One photograph of the study view: which breed, which of its photographs
// (0 .. 9, the folder obr/<photo>) and where it lies, relative to the set.
struct StudyCard {
    int breed = 0;
    int photo = 0;
    std::string path;
    // Its place among the breed's photographs the set holds: "2 ze 3".
    int photoNumber = 1;
    int photoCount = 1;
};

enum class StudyOrder { Catalogue, Mixed };

// Every photograph of the set, one after another: in the catalogue's order
// (each breed with all its photographs), or mixed so that no two of one breed
// follow each other where the set allows it, which is how breeds are told apart.
// Moving past either end wraps around.
class StudyDeck {
public:
    StudyDeck(const PhotoLookup& exists, StudyOrder order, std::uint32_t seed);

    const StudyCard& current() const { return cards_[position_]; }
    int position() const { return static_cast<int>(position_); }
    int size() const { return static_cast<int>(cards_.size()); }
    StudyOrder order() const { return order_; }
    const std::vector<StudyCard>& cards() const { return cards_; }

    void next();
    void previous();
    // Puts the cards in the other order; the photograph on display stays.
    void setOrder(StudyOrder order, std::uint32_t seed);

private:
    std::vector<StudyCard> catalogue_;
    std::vector<StudyCard> cards_;
    std::size_t position_ = 0;
    StudyOrder order_;
};

} // namespace tarvelo
