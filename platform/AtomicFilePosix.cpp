// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"
#include "Descriptor.h"
#include "TreeRemoval.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tarvelo {

namespace {

// The folder part of path, with its final slash; empty for a bare name.
std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

struct Temporary {
    std::string path;
    int fd = -1;
    int error = 0;
};

// A new file named after path's last name with a random suffix, beside it in
// folder (a descriptor, or AT_FDCWD for path's own folder), made here and
// nowhere else (O_EXCL); hidden, so a half-written one never looks like a
// picture. 0666 lets the umask decide, as for any new file.
Temporary createTemporary(int folder, const std::string& path) {
    const std::string prefix = folderOf(path);
    const std::string name = path.substr(prefix.size());
    std::random_device random;
    Temporary temporary;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
        temporary.path = prefix + "." + name + suffix;
        temporary.fd =
            ::openat(folder, temporary.path.c_str(),
                     O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, 0666);
        if (temporary.fd >= 0 || errno != EEXIST) {
            temporary.error = temporary.fd >= 0 ? 0 : errno;
            return temporary;
        }
    }
    temporary.error = EEXIST;
    return temporary;
}

int writeAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errno;
        }
        if (n == 0) {
            return EIO;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return 0;
}

// The replaced file's permissions carry over: a picture of a class set stays
// readable and writable for the group it was. One for every account is
// readable by all besides, whatever the umask made of the new file.
int setPermissions(int fd, int folder, const std::string& path, NewEntries entries) {
    const mode_t everyone = entries == NewEntries::ReadableByAll ? 0644 : 0;
    struct stat status {};
    if (::fstatat(folder, path.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(status.st_mode)) {
        return everyone == 0 || ::fchmod(fd, everyone) == 0 ? 0 : errno;
    }
    return ::fchmod(fd, (status.st_mode & 0777) | everyone) == 0 ? 0 : errno;
}

int syncFolder(const std::string& folder) {
    const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid()) {
        return errno;
    }
    return syncOpenFolder(dir.get());
}

// The whole write of path, relative to folder (a descriptor, or AT_FDCWD).
std::optional<WriteError> writeInFolder(int folder, const std::string& path,
                                        std::span<const std::uint8_t> bytes, NewEntries entries) {
    const Temporary temporary = createTemporary(folder, path);
    if (temporary.fd < 0) {
        return WriteError{WriteStep::Create, temporary.error};
    }
    Descriptor file(temporary.fd);
    const auto failed = [&](WriteStep step, int code) {
        ::unlinkat(folder, temporary.path.c_str(), 0);
        return WriteError{step, code};
    };
    if (const int err = setPermissions(file.get(), folder, path, entries)) {
        return failed(WriteStep::Create, err);
    }
    if (const int err = writeAll(file.get(), bytes)) {
        return failed(WriteStep::Write, err);
    }
    if (::fsync(file.get()) != 0) {
        return failed(WriteStep::Sync, errno);
    }
    if (const int err = file.close()) {
        return failed(WriteStep::Close, err);
    }
    if (::renameat(folder, temporary.path.c_str(), folder, path.c_str()) != 0) {
        return failed(WriteStep::Replace, errno);
    }
    return std::nullopt;
}

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

bool WriteError::diskFull() const {
    return code == ENOSPC || code == EDQUOT;
}

bool WriteError::accessDenied() const {
    return code == EACCES || code == EPERM || code == EROFS;
}

std::optional<WriteError> writeFileAtomically(const std::string& path,
                                              std::span<const std::uint8_t> bytes) {
    if (auto error = writeInFolder(AT_FDCWD, path, bytes, NewEntries::ByUmask)) {
        return error;
    }
    const std::string folder = folderOf(path);
    if (const int err = syncFolder(folder.empty() ? "." : folder)) {
        return WriteError{WriteStep::SyncFolder, err};
    }
    return std::nullopt;
}

std::optional<WriteError> replaceFile(const std::string& from, const std::string& path) {
    if (::rename(from.c_str(), path.c_str()) != 0) {
        return WriteError{WriteStep::Replace, errno};
    }
    // Both folders changed: one lost a name, the other gained it.
    for (const std::string& changed : {folderOf(path), folderOf(from)}) {
        if (const int err = syncFolder(changed.empty() ? "." : changed)) {
            return WriteError{WriteStep::SyncFolder, err};
        }
    }
    return std::nullopt;
}

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
