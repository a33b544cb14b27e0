// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvelo {

namespace {

// Owns a descriptor; close() reports what the destructor would swallow.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

    // Linux releases the descriptor even when close fails with EINTR, and the
    // data was synced before, so only the other errors count.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result != 0 && errno != EINTR ? errno : 0;
    }

private:
    int fd_;
};

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

// A new file named after path with a random suffix, made here and nowhere
// else (O_EXCL); hidden, so a half-written one never looks like a picture.
// 0666 lets the umask decide, as for any new file.
Temporary createTemporary(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string name = path.substr(folder.size());
    std::random_device random;
    Temporary temporary;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
        temporary.path = folder + "." + name + suffix;
        temporary.fd =
            ::open(temporary.path.c_str(),
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
// readable and writable for the group it was.
int keepPermissions(int fd, const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return 0;
    }
    return ::fchmod(fd, status.st_mode & 0777) == 0 ? 0 : errno;
}

// A folder's fsync makes the rename durable; file systems that cannot sync a
// folder say EINVAL, and there is nothing more to do on them.
int syncFolder(const std::string& folder) {
    const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid()) {
        return errno;
    }
    if (::fsync(dir.get()) != 0 && errno != EINVAL && errno != ENOTSUP) {
        return errno;
    }
    return 0;
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
    const Temporary temporary = createTemporary(path);
    if (temporary.fd < 0) {
        return WriteError{WriteStep::Create, temporary.error};
    }
    Descriptor file(temporary.fd);
    const auto failed = [&](WriteStep step, int code) {
        ::unlink(temporary.path.c_str());
        return WriteError{step, code};
    };
    if (const int err = keepPermissions(file.get(), path)) {
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
    if (::rename(temporary.path.c_str(), path.c_str()) != 0) {
        return failed(WriteStep::Replace, errno);
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
