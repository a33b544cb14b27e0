// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"
#include "Descriptor.h"
#include "WriteInFolder.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

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

} // namespace

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

} // namespace tarvelo
