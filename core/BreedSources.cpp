// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedSources.h"

#include <stdexcept>

namespace tarvelo {

const BreedSource& breedSource(int index) {
    if (index < 0 || index >= breedCount) {
        throw std::out_of_range("breed index out of range");
    }
    return breedSources[static_cast<std::size_t>(index)];
}

} // namespace tarvelo
