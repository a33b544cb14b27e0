// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoSet.h"

#include "BreedCatalogue.h"
#include "JpegFixtures.h"

#include <filesystem>
#include <stdexcept>

namespace tarvelo::endurance {

PhotoSet::PhotoSet() {
    if (!dir_.isValid()) {
        throw std::runtime_error("cannot make a temporary directory for the photographs");
    }
    const std::filesystem::path folder = std::filesystem::path(dir_.path().toStdString()) / "obr/0";
    std::filesystem::create_directories(folder);
    for (int i = 0; i < breedCount; ++i) {
        // Both kinds of JPEG the quiz meets: every third one progressive.
        const fixtures::JpegRecipe recipe{.width = widthOf(i),
                                          .height = heightOf(i),
                                          .pattern = fixtures::Pattern::Photo,
                                          .progressive = i % 3 == 0};
        fixtures::writeFile(folder / (std::to_string(i) + ".jpg"), fixtures::makeJpeg(recipe));
    }
}

} // namespace tarvelo::endurance
