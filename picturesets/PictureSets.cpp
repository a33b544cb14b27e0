// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureSets.h"

#include "BuildTree.h"
#include "SetPlaces.h"
#include "Utf8Path.h"

#include <system_error>
#include <utility>
#include <vector>

namespace tarvelo {

namespace {

namespace fs = std::filesystem;

// Whether folder holds the 19 drawings, or at least the first of them.
bool holdsDrawings(const fs::path& folder) {
    std::error_code error;
    return !folder.empty() && fs::is_regular_file(folder / "0.jpg", error);
}

// The folder as the user knows it: separators of the system, no "..".
std::string shown(const fs::path& folder) {
    return utf8FromPath(folder.lexically_normal().make_preferred());
}

// Without "..", ".", or a separator at the end, as a folder is named to the user.
fs::path absoluteFolder(const fs::path& folder) {
    std::error_code error;
    const fs::path absolute = fs::absolute(folder, error);
    fs::path normal = (error ? folder : absolute).lexically_normal();
    if (normal.has_relative_path() && normal.filename().empty()) {
        normal = normal.parent_path();
    }
    return normal;
}

// Whether folder (absolute, normal) is where a class set is written or played from.
bool isClassSetFolder(const PictureSetPlaces& places, const fs::path& folder) {
    if (!places.classSetHome.empty() && absoluteFolder(places.classSetHome) == folder) {
        return true;
    }
    for (const fs::path& classSet : places.classSets) {
        if (absoluteFolder(classSet) == folder) {
            return true;
        }
    }
    return false;
}

fs::path bundledSet(const fs::path& programFolder) {
    std::vector<fs::path> candidates;
    if (fs::path source = sourceTreeData(programFolder); !source.empty()) {
        // A developer's build plays its own tree's drawings, even where a
        // package is installed too.
        candidates.push_back(std::move(source));
    }
    for (fs::path& folder : installedSetFolders(programFolder)) {
        candidates.push_back(std::move(folder));
    }
    for (const fs::path& folder : candidates) {
        if (holdsDrawings(folder / "obr" / "0")) {
            return folder;
        }
    }
    return candidates.back();
}

} // namespace

bool holdsPictureSet(const fs::path& folder) {
    std::error_code error;
    return !folder.empty() && fs::is_directory(folder / "obr" / "0", error);
}

PictureSetPlaces pictureSetPlaces(const fs::path& programFolder) {
    PictureSetPlaces places;
    const fs::path kresby = programFolder / "kresby";
    if (holdsDrawings(kresby)) {
        places.unzipped = programFolder.lexically_normal();
    }
    places.own = ownSetFolder();
    places.classSets = classSetFolders();
    places.classSetHome = classSetHome();
    places.bundled = bundledSet(programFolder);
    if (!places.unzipped.empty()) {
        places.drawings = kresby.lexically_normal();
    } else if (holdsDrawings(places.bundled / "obr" / "0")) {
        places.drawings = places.bundled / "obr" / "0";
    }
    return places;
}

PictureSetChoice choosePictureSet(const PictureSetPlaces& places) {
    if (!places.unzipped.empty()) {
        return {places.unzipped, PictureSetKind::Unzipped};
    }
    if (holdsPictureSet(places.own)) {
        return {places.own, PictureSetKind::Own};
    }
    for (const auto& folder : places.classSets) {
        if (holdsPictureSet(folder) && classSetTrusted(folder)) {
            return {folder, PictureSetKind::Class};
        }
    }
    return {places.bundled, PictureSetKind::Bundled};
}

EditedSet editedSet(const PictureSetPlaces& places, const fs::path& named, bool classSet) {
    EditedSet edited;
    edited.drawings = places.drawings;
    if (classSet) {
        edited.folder = places.classSetHome;
        edited.everyAccount = true;
        edited.offersClassSet = places.unzipped.empty() && !places.own.empty();
        if (places.classSetHome.empty()) {
            edited.problem = "Složka sady pro všechny uživatele tohoto počítače není známa. "
                             "Nic nebylo změněno.";
        } else {
            edited.problem = classSetRefusal(places.classSetHome);
        }
    } else if (!named.empty()) {
        edited.folder = absoluteFolder(named);
        edited.everyAccount = isClassSetFolder(places, edited.folder);
    } else if (!places.unzipped.empty()) {
        edited.folder = places.unzipped;
    } else if (!places.own.empty()) {
        edited.folder = places.own;
        edited.offersClassSet = true;
    } else {
        // Never a folder of some other name: the launchers would not play it.
        edited.problem = "Nelze zjistit, kde je vaše vlastní sada: " + whyNoOwnSet() +
                         " Jinou složku sady lze zadat na příkazovém řádku. Nic nebylo změněno.";
    }
    return edited;
}

std::optional<std::string> classSetRefusal(const fs::path& folder) {
    // A folder not there yet is made as the class set's when it is written.
    std::error_code error;
    if (fs::exists(fs::symlink_status(folder, error)) && !classSetFolderGuarded(folder)) {
        return classSetUnguardedText(folder);
    }
    if (mayWriteClassSet(folder)) {
        return std::nullopt;
    }
    return classSetRefusalText(folder);
}

std::string classSetUnguardedText(const fs::path& folder) {
    return "Složka sady pro všechny uživatele (" + shown(folder) +
           ") nepatří správci počítače nebo do ní smějí zapisovat i jiní uživatelé, proto se "
           "nepoužije. Nic nebylo změněno.";
}

std::string classSetRefusalText(const fs::path& folder) {
    return "Sadu pro všechny uživatele tohoto počítače (" + shown(folder) + ") nemůžete měnit. " +
           whoMayWriteClassSet() + " Nic nebylo změněno.";
}

} // namespace tarvelo
