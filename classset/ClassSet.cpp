// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassSet.h"

#include <system_error>

namespace tarvelo {

bool holdsPictureSet(const std::filesystem::path& folder) {
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(folder / "obr" / "0", error);
}

PictureSetPlaces pictureSetPlaces(const std::filesystem::path& bundled) {
    return {ownSetFolder(), classSetFolders(), bundled};
}

PictureSetChoice choosePictureSet(const PictureSetPlaces& places) {
    if (holdsPictureSet(places.own))
        return {places.own, PictureSetKind::Own};
    for (const auto& folder : places.classSets) {
        if (holdsPictureSet(folder) && classSetTrusted(folder))
            return {folder, PictureSetKind::Class};
    }
    return {places.bundled, PictureSetKind::Bundled};
}

} // namespace tarvelo
