// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Descriptor.h"
#include "TreeRemoval.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <vector>

namespace tarvelo {

int removeContents(int folder, int depth) {
    // The listing reads its own descriptor, which closedir closes.
    const int listed = ::dup(folder);
    DIR* listing = listed < 0 ? nullptr : ::fdopendir(listed);
    if (!listing) {
        const int err = errno;
        if (listed >= 0) {
            ::close(listed);
        }
        return err;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string entryName = entry->d_name;
        if (entryName != "." && entryName != "..") {
            names.push_back(entryName);
        }
    }
    ::closedir(listing);
    for (const std::string& entry : names) {
        if (const int err = removeTree(folder, entry, depth)) {
            return err;
        }
    }
    return 0;
}

int removeTree(int parent, const std::string& name, int depth) {
    Descriptor dir(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!dir.valid()) {
        if (errno == ENOENT) {
            return 0;
        }
        if (errno != ENOTDIR && errno != ELOOP) {
            return errno;
        }
        // A file or a link in the folder's place.
        return ::unlinkat(parent, name.c_str(), 0) == 0 || errno == ENOENT ? 0 : errno;
    }
    if (depth == 0) {
        return ELOOP;
    }
    if (const int err = removeContents(dir.get(), depth - 1)) {
        return err;
    }
    if (::unlinkat(parent, name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT) {
        return errno;
    }
    return syncOpenFolder(parent);
}

} // namespace tarvelo
