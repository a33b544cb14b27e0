// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedCatalogue.h"

#include "BreedPhotos.h"

#include <stdexcept>

namespace tarvelo {

namespace {
bool inCatalogue(int index) {
    return index >= 0 && index < breedCount;
}
} // namespace

std::string_view answerName(int index) {
    if (!inCatalogue(index)) {
        throw std::out_of_range("picture index " + std::to_string(index) +
                                " is not in the catalogue");
    }
    return BreedCatalogue::answers[static_cast<std::size_t>(index)];
}

std::vector<std::string> choiceList() {
    std::vector<std::string> list;
    for (int i = 0; i <= BreedCatalogue::lastChoiceIndex; ++i) {
        list.emplace_back(BreedCatalogue::choices[static_cast<std::size_t>(i)]);
    }
    return list;
}

bool pictureAvailable(int index) {
    return inCatalogue(index) &&
           BreedCatalogue::pictureAvailable[static_cast<std::size_t>(index)] == 1;
}

std::string picturePath(int index) {
    return photoPath(index, 0);
}

} // namespace tarvelo
