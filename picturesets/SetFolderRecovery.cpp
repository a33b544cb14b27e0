// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetFolderRecovery.h"

#include "AtomicFile.h"
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "SetFolderFiles.h"
#include "SetFolderLock.h"
#include "SetPlaces.h"
#include "Utf8Path.h"

#include <cctype>
#include <string>
#include <system_error>
#include <vector>

namespace tarvelo {

namespace {

namespace fs = std::filesystem;

// isLink rather than symlink_status, which follows a junction on Windows.
bool isRealFolder(const fs::path& path) {
    std::error_code error;
    return !isLink(utf8FromPath(path)) && fs::is_directory(path, error);
}

bool startsWith(const std::string& name, std::string_view prefix) {
    return name.compare(0, prefix.size(), prefix) == 0;
}

// .N.jpg.XXXXXXXX or ~N.jpg.XXXXXXXX, N a picture index, X a hex digit; the
// same for the credits file in obr.
bool isWriterTemporary(const std::string& name) {
    if (name.size() < 2 || (name[0] != '.' && name[0] != '~')) {
        return false;
    }
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || name.size() - dot != 9) {
        return false;
    }
    for (std::size_t i = dot + 1; i < name.size(); ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(name[i]))) {
            return false;
        }
    }
    const std::string picture = name.substr(1, dot - 1);
    if (picture == setCreditsFileName) {
        return true;
    }
    for (int index = 0; index < breedCount; ++index) {
        if (picture == std::to_string(index) + ".jpg") {
            return true;
        }
    }
    return false;
}

// The names of the staging folders (or whatever has such a name) in folder.
std::vector<std::string> stagingNames(const fs::path& folder) {
    std::vector<std::string> found;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::string name = utf8FromPath(entry->path().filename());
        if (startsWith(name, stagingPrefix)) {
            found.push_back(std::move(name));
        }
    }
    return found;
}

// The temporary files of writes cut short in the folder below the set, each
// removed as the name it is.
void removeLeftovers(const SetFolder& set, const fs::path& folder, const std::string& below) {
    std::error_code error;
    std::vector<std::string> leftovers;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::string name = utf8FromPath(entry->path().filename());
        if (isWriterTemporary(name)) {
            leftovers.push_back(std::move(name));
        }
    }
    for (const std::string& leftover : leftovers) {
        removeFileInSet(set, below + "/" + leftover);
    }
}

} // namespace

// Everything below the set's folder is changed through the walks that never
// pass a link (SetFolderFiles.h): a link or junction where a staging folder or
// obr/K should be is removed as itself, and nothing where it leads is touched.
void recoverSetFolder(const fs::path& folder) {
    if (folder.empty() || !isRealFolder(folder)) {
        return;
    }
    const SetFolderLock lock(folder);
    if (!lock.held()) {
        return;
    }
    const SetFolder set{utf8FromPath(folder)};
    const fs::path obr = folder / "obr";
    const std::vector<std::string> staging = stagingNames(folder);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(obr, error))) {
        for (const std::string& stage : staging) {
            const fs::path old = folder / pathFromUtf8(stage) / "old";
            if (isRealFolder(folder / pathFromUtf8(stage)) && isRealFolder(old) &&
                !replaceInSet(set, stage + "/old", "obr")) {
                break;
            }
        }
    }
    for (const std::string& stage : staging) {
        removeTreeInSet(set, stage);
    }
    if (!isRealFolder(obr)) {
        return;
    }
    removeLeftovers(set, obr, "obr");
    for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
        const std::string below = "obr/" + std::to_string(photo);
        const fs::path pictures = obr / std::to_string(photo);
        if (isRealFolder(pictures)) {
            removeLeftovers(set, pictures, below);
        }
    }
}

void recoverClassSetFolder(const fs::path& folder) {
    if (!folder.empty() && classSetFolderGuarded(folder)) {
        recoverSetFolder(folder);
    }
}

void recoverEditedSet(const EditedSet& edited) {
    if (edited.everyAccount) {
        recoverClassSetFolder(edited.folder);
    } else {
        recoverSetFolder(edited.folder);
    }
}

} // namespace tarvelo
