// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Descriptor.h"
#include "SetFolderFiles.h"
#include "TreeRemoval.h"
#include "WriteInFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tarvelo {

namespace {

// A path below a set's folder, taken apart: the folders on the way, and the
// last name.
struct Below {
    std::vector<std::string> folders;
    std::string name;
};

std::optional<Below> split(const std::string& below) {
    Below parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = below.find('/', start);
        std::string part = below.substr(start, slash == std::string::npos ? slash : slash - start);
        if (part.empty() || part == "." || part == "..") {
            return std::nullopt;
        }
        if (slash == std::string::npos) {
            parts.name = std::move(part);
            return parts;
        }
        parts.folders.push_back(std::move(part));
        start = slash + 1;
    }
}

struct Reached {
    Descriptor folder{-1};
    std::optional<WriteError> error;
};

// What stops the walk at name in folder: a link (reported as such) or the
// system's reason. O_DIRECTORY | O_NOFOLLOW says ENOTDIR for a link; a
// folder there by now means a link was swapped out again meanwhile.
WriteError blocked(int folder, const std::string& name, int code) {
    struct stat status {};
    if ((code == ENOTDIR || code == ELOOP) &&
        ::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        (S_ISLNK(status.st_mode) || S_ISDIR(status.st_mode))) {
        return WriteError{WriteStep::Folder, ELOOP, true};
    }
    return WriteError{WriteStep::Folder, code};
}

// A folder made for every account: rwxr-xr-x whatever the umask. Where the
// folder it is made in lets its group write (and hands the group on), as a
// class set kept by a group of teachers does, so does the new one.
int openToAll(int made, int parent) {
    struct stat above {};
    if (::fstat(parent, &above) != 0) {
        return errno;
    }
    const mode_t mode = 0755 | (above.st_mode & (S_ISGID | S_IWGRP));
    return ::fchmod(made, mode) == 0 ? 0 : errno;
}

// The folder of names below root, opened one component at a time from root
// and never through a link; with make, folders missing on the way are made.
Reached reach(const SetFolder& set, const std::vector<std::string>& names, bool make) {
    Reached reached;
    reached.folder = Descriptor(::open(set.root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!reached.folder.valid()) {
        reached.error = WriteError{WriteStep::Folder, errno};
        return reached;
    }
    constexpr int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    for (const std::string& name : names) {
        const int at = reached.folder.get();
        Descriptor next(::openat(at, name.c_str(), flags));
        bool made = false;
        if (!next.valid() && errno == ENOENT && make) {
            // Another writer may make it at the same moment: then it is there.
            made = ::mkdirat(at, name.c_str(), 0777) == 0;
            if (!made && errno != EEXIST) {
                reached.error = WriteError{WriteStep::Folder, errno};
                return reached;
            }
            next = Descriptor(::openat(at, name.c_str(), flags));
        }
        if (!next.valid()) {
            reached.error = blocked(at, name, errno);
            return reached;
        }
        // The descriptor is of the folder made, whatever has its name now.
        if (made && set.newEntries == NewEntries::ReadableByAll) {
            if (const int err = openToAll(next.get(), at)) {
                reached.error = WriteError{WriteStep::Folder, err};
                return reached;
            }
        }
        reached.folder = std::move(next);
    }
    return reached;
}

// The folder holding the last name of `below`, reached from the set without
// passing a link, and that name.
struct Parent {
    Reached reached;
    std::string name;
};

Parent reachParent(const SetFolder& set, const std::string& below) {
    auto parts = split(below);
    if (!parts) {
        return {Reached{Descriptor{-1}, WriteError{WriteStep::Folder, EINVAL}}, {}};
    }
    return {reach(set, parts->folders, false), std::move(parts->name)};
}

// A name added, replaced or removed in folder, recorded on the disk.
std::optional<WriteError> syncChanged(int folder) {
    if (const int err = syncOpenFolder(folder)) {
        return WriteError{WriteStep::SyncFolder, err};
    }
    return std::nullopt;
}

} // namespace

std::optional<WriteError> writeFileInSet(const SetFolder& set, const std::string& below,
                                         std::span<const std::uint8_t> bytes) {
    const Parent parent = reachParent(set, below);
    if (parent.reached.error) {
        return parent.reached.error;
    }
    const int folder = parent.reached.folder.get();
    if (auto error = writeInFolder(folder, parent.name, bytes, set.newEntries)) {
        return error;
    }
    return syncChanged(folder);
}

std::optional<WriteError> replaceInSet(const SetFolder& set, const std::string& from,
                                       const std::string& to) {
    const Parent source = reachParent(set, from);
    if (source.reached.error) {
        return source.reached.error;
    }
    const Parent target = reachParent(set, to);
    if (target.reached.error) {
        return target.reached.error;
    }
    if (::renameat(source.reached.folder.get(), source.name.c_str(), target.reached.folder.get(),
                   target.name.c_str()) != 0) {
        return WriteError{WriteStep::Replace, errno};
    }
    if (auto error = syncChanged(target.reached.folder.get())) {
        return error;
    }
    return syncChanged(source.reached.folder.get());
}

std::optional<WriteError> removeFileInSet(const SetFolder& set, const std::string& below) {
    const Parent parent = reachParent(set, below);
    if (parent.reached.error) {
        return parent.reached.error;
    }
    if (::unlinkat(parent.reached.folder.get(), parent.name.c_str(), 0) != 0) {
        return WriteError{WriteStep::Remove, errno};
    }
    return syncChanged(parent.reached.folder.get());
}

std::optional<WriteError> removeTreeInSet(const SetFolder& set, const std::string& below) {
    const Parent parent = reachParent(set, below);
    if (parent.reached.error) {
        return parent.reached.error;
    }
    // A set is two folders deep; far deeper is no set.
    constexpr int maxDepth = 16;
    if (const int err = removeTree(parent.reached.folder.get(), parent.name, maxDepth)) {
        return WriteError{WriteStep::Remove, err};
    }
    return std::nullopt;
}

std::optional<WriteError> makeFoldersInSet(const SetFolder& set, const std::string& below) {
    auto parts = split(below);
    if (!parts) {
        return WriteError{WriteStep::Folder, EINVAL};
    }
    parts->folders.push_back(std::move(parts->name));
    return reach(set, parts->folders, true).error;
}

bool isLink(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

} // namespace tarvelo
