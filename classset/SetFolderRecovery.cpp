// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetFolderRecovery.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "SetFolderLock.h"

#include <cctype>
#include <string>
#include <system_error>
#include <vector>

namespace tarvelo {

namespace {

namespace fs = std::filesystem;

bool isRealFolder(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() == fs::file_type::directory;
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

std::vector<fs::path> stagingFolders(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (startsWith(entry->path().filename().string(), stagingPrefix)) {
            found.push_back(entry->path());
        }
    }
    return found;
}

// The temporary files of writes cut short in folder.
void removeLeftovers(const fs::path& folder) {
    std::error_code error;
    std::vector<fs::path> leftovers;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (isWriterTemporary(entry->path().filename().string())) {
            leftovers.push_back(entry->path());
        }
    }
    for (const fs::path& leftover : leftovers) {
        fs::remove(leftover, error);
    }
}

} // namespace

void recoverSetFolder(const fs::path& folder) {
    if (folder.empty() || !isRealFolder(folder)) {
        return;
    }
    const SetFolderLock lock(folder);
    if (!lock.held()) {
        return;
    }
    const fs::path obr = folder / "obr";
    const std::vector<fs::path> staging = stagingFolders(folder);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(obr, error))) {
        for (const fs::path& stage : staging) {
            if (isRealFolder(stage / "old")) {
                fs::rename(stage / "old", obr, error);
                break;
            }
        }
    }
    // remove_all removes a link, never what it points to.
    for (const fs::path& stage : staging) {
        fs::remove_all(stage, error);
    }
    if (!isRealFolder(obr)) {
        return;
    }
    removeLeftovers(obr);
    for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
        const fs::path pictures = obr / std::to_string(photo);
        if (isRealFolder(pictures)) {
            removeLeftovers(pictures);
        }
    }
}

} // namespace tarvelo
