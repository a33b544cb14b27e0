// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedPhotos.h"
#include "SetPlaces.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tarvelo {

namespace {

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// root's, or this account's own.
bool isSystemsOrMine(const struct stat& status) {
    return status.st_uid == 0 || status.st_uid == ::geteuid();
}

std::filesystem::path withoutTrailingSeparator(const std::filesystem::path& folder) {
    std::filesystem::path normal = folder.lexically_normal();
    if (normal.has_relative_path() && !normal.has_filename()) {
        normal = normal.parent_path();
    }
    return normal;
}

} // namespace

std::filesystem::path ownSetFolder() {
    // A relative XDG_DATA_HOME counts as unset.
    const std::filesystem::path data(environment("XDG_DATA_HOME"));
    if (data.is_absolute()) {
        return data / "tarvelo";
    }
    const std::string_view home = environment("HOME");
    if (home.empty()) {
        return {};
    }
    return std::filesystem::path(home) / ".local" / "share" / "tarvelo";
}

std::string whyNoOwnSet() {
    return "není nastavená proměnná HOME ani XDG_DATA_HOME.";
}

std::vector<std::filesystem::path> classSetFolders() {
    std::string_view dirs = environment("XDG_DATA_DIRS");
    if (dirs.empty()) {
        dirs = "/usr/local/share:/usr/share";
    }
    std::vector<std::filesystem::path> folders;
    while (!dirs.empty()) {
        const auto colon = dirs.find(':');
        const std::filesystem::path entry(dirs.substr(0, colon));
        if (entry.is_absolute()) {
            folders.push_back(entry / "tarvelo");
        }
        dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    }
    return folders;
}

std::filesystem::path classSetHome() {
    return "/usr/local/share/tarvelo";
}

bool classSetFolderGuarded(const std::filesystem::path& folder) {
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        !isSystemsOrMine(status) || (status.st_mode & S_IWOTH) != 0) {
        return false;
    }
    if ((status.st_mode & S_IWGRP) == 0) {
        return true;
    }
    // The same group may rename anything in a folder above that it may write
    // in, unless that folder is sticky: this one is its anyway.
    struct stat above {};
    const std::filesystem::path parent = withoutTrailingSeparator(folder).parent_path();
    return !parent.empty() && ::stat(parent.c_str(), &above) == 0 &&
           above.st_gid == status.st_gid && (above.st_mode & S_IWGRP) != 0 &&
           (above.st_mode & S_ISVTX) == 0;
}

bool classSetTrusted(const std::filesystem::path& folder) {
    const std::filesystem::path obr = folder / "obr";
    if (!classSetFolderGuarded(folder) || !classSetFolderGuarded(obr)) {
        return false;
    }
    for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
        const std::filesystem::path pictures = obr / std::to_string(photo);
        struct stat status {};
        if (photo > 0 && ::lstat(pictures.c_str(), &status) != 0 && errno == ENOENT) {
            continue;
        }
        if (!classSetFolderGuarded(pictures)) {
            return false;
        }
    }
    return true;
}

bool mayWriteClassSet(const std::filesystem::path& folder) {
    if (geteuid() == 0) {
        return true;
    }
    // A set not made yet is made in the nearest folder that exists.
    std::filesystem::path existing = std::filesystem::absolute(folder);
    std::error_code error;
    while (!std::filesystem::exists(existing, error) && existing.has_relative_path()) {
        existing = existing.parent_path();
    }
    return faccessat(AT_FDCWD, existing.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::optional<std::string> prepareClassSetFolder(const std::filesystem::path& folder) {
    // The missing folders, innermost first; each made rwxr-xr-x, not as the
    // umask of whoever writes the set would have it.
    std::vector<std::filesystem::path> missing;
    std::error_code error;
    std::filesystem::path up = std::filesystem::absolute(folder, error).lexically_normal();
    if (!up.has_filename()) {
        up = up.parent_path();
    }
    const std::filesystem::path target = up;
    for (; !std::filesystem::exists(up, error) && up.has_relative_path(); up = up.parent_path()) {
        missing.push_back(up);
    }
    for (auto made = missing.rbegin(); made != missing.rend(); ++made) {
        // One someone else made meanwhile is theirs, and left as it is. A
        // folder made where the group may write, as in Debian's
        // /usr/local/share (staff), lets the group write too.
        struct stat above {};
        const mode_t group = ::stat(made->parent_path().c_str(), &above) == 0
                                 ? above.st_mode & (S_ISGID | S_IWGRP)
                                 : 0;
        const bool madeHere = ::mkdir(made->c_str(), 0700) == 0;
        if ((!madeHere && errno != EEXIST) ||
            (madeHere && ::chmod(made->c_str(), 0755 | group) != 0)) {
            return "Složku „" + made->string() + "“ pro sadu všech uživatelů nelze vytvořit (" +
                   std::generic_category().message(errno) + "). Nic nebylo změněno.";
        }
    }
    // Whoever made the folder, with whatever inside, owns it: one that is not
    // root's (or this account's) is not taken over.
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        !isSystemsOrMine(status)) {
        return "Složka „" + target.string() +
               "“ pro sadu všech uživatelů nepatří správci počítače, proto se nepoužije. Nic "
               "nebylo změněno.";
    }
    return std::nullopt;
}

std::string whoMayWriteClassSet() {
    return "Smí to jen root nebo člen skupiny její složky.";
}

std::vector<std::filesystem::path> installedSetFolders(const std::filesystem::path& programFolder) {
    // Relative first, so an install moved to another prefix finds its own.
    return {
        (programFolder / TARVELO_DATADIR_FROM_BINDIR / "tarvelo").lexically_normal(),
        std::filesystem::path(TARVELO_INSTALL_DATADIR) / "tarvelo",
    };
}

} // namespace tarvelo
