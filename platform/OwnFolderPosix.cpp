// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Descriptor.h"
#include "OwnFolder.h"
#include "TreeRemoval.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>

namespace tarvelo {

namespace {

constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Owned by this account and closed to every other: rwx------ and nothing else.
bool isPrivate(const struct stat& status) {
    return S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() &&
           (status.st_mode & 07777) == 0700;
}

// The editor's temporary folders are a few levels deep; far deeper is none of
// theirs.
constexpr int maxDepth = 16;

} // namespace

std::string privateTemporaryBase(const std::string& fallback) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat status {};
    // Only an absolute path: a relative one would depend on where the
    // program was started.
    if (runtime && runtime[0] == '/' && ::lstat(runtime, &status) == 0 && isPrivate(status)) {
        return runtime;
    }
    return fallback;
}

bool isOwnFolder(const std::string& parent, const std::string& name) {
    const Descriptor top(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!top.valid()) {
        return false;
    }
    const Descriptor folder(::openat(top.get(), name.c_str(), folderFlags));
    struct stat status {};
    return folder.valid() && ::fstat(folder.get(), &status) == 0 && isPrivate(status);
}

OwnFolderRemoval removeOwnFolder(const std::string& parent, const std::string& name) {
    const Descriptor top(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!top.valid()) {
        return OwnFolderRemoval::NotOwn;
    }
    const Descriptor folder(::openat(top.get(), name.c_str(), folderFlags));
    struct stat held {};
    if (!folder.valid() || ::fstat(folder.get(), &held) != 0 || !isPrivate(held)) {
        return OwnFolderRemoval::NotOwn;
    }
    if (removeContents(folder.get(), maxDepth) != 0) {
        return OwnFolderRemoval::Failed;
    }
    // The name itself goes only while it is still the folder emptied: what
    // another account put there meanwhile stays.
    struct stat named {};
    if (::fstatat(top.get(), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
        named.st_dev != held.st_dev || named.st_ino != held.st_ino) {
        return OwnFolderRemoval::Failed;
    }
    if (::unlinkat(top.get(), name.c_str(), AT_REMOVEDIR) != 0) {
        return OwnFolderRemoval::Failed;
    }
    return OwnFolderRemoval::Removed;
}

} // namespace tarvelo
