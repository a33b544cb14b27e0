// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedCatalogue.h"
#include "BreedPhotos.h"

#include <set>
#include <string>

namespace tarvelo {

// A set's photographs as the quiz looks them up: obr/0 .. obr/<perBreed - 1>
// of every breed.
inline std::set<std::string> setPhotographs(int perBreed) {
    std::set<std::string> files;
    for (int index = 0; index < breedCount; ++index) {
        for (int photo = 0; photo < perBreed; ++photo) {
            files.insert(photoPath(index, photo));
        }
    }
    return files;
}

} // namespace tarvelo
