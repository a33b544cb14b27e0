// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedPhotos.h"

#include "PathSeparator.h"

#include <filesystem>
#include <system_error>

namespace tarvelo {

std::string photoPath(int index, int photo) {
    return std::string("obr") + pathSeparator + std::to_string(photo) + pathSeparator +
           std::to_string(index) + ".jpg";
}

bool photoFileExists(const std::string& path) {
    // The relative paths are plain ASCII, so the narrow form names the same
    // file on every system.
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

std::vector<int> photosOfBreed(int index, const PhotoLookup& exists) {
    std::vector<int> photos;
    for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
        if (exists(photoPath(index, photo))) {
            photos.push_back(photo);
        }
    }
    if (photos.empty()) {
        photos.push_back(0);
    }
    return photos;
}

} // namespace tarvelo
