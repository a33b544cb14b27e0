// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TellingSet.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "JpegFixtures.h"
#include "Utf8Path.h"

#include <filesystem>
#include <stdexcept>

namespace tarvelo::endurance {

TellingSet::TellingSet(int perBreed) {
    if (!dir_.isValid()) {
        throw std::runtime_error("cannot make a temporary directory for the photographs");
    }
    const std::filesystem::path root(dir_.path().toStdString());
    for (int photo = 0; photo < perBreed; ++photo) {
        std::filesystem::create_directories(root / "obr" / std::to_string(photo));
        for (int i = 0; i < breedCount; ++i) {
            // Both kinds of JPEG the quiz meets: every third one progressive.
            const fixtures::JpegRecipe recipe{.width = widthOf(i),
                                              .height = heightOf(i, photo),
                                              .pattern = fixtures::Pattern::Photo,
                                              .progressive = (i + photo) % 3 == 0};
            fixtures::writeFile(root / pathFromUtf8(photoPath(i, photo)),
                                fixtures::makeJpeg(recipe));
        }
    }
}

} // namespace tarvelo::endurance
