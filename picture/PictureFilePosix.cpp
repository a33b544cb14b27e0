// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureErrors.h"
#include "PictureFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvelo {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { ::close(fd_); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::vector<std::uint8_t> readPictureFile(const std::string& path) {
    // O_NONBLOCK keeps a FIFO named like a photograph from hanging the open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        throwOpenError(path, errno);
    }
    const FileDescriptor file(fd);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        throwOpenError(path, errno);
    }
    if (S_ISDIR(status.st_mode)) {
        throwOpenError(path, EISDIR);
    }
    // A FIFO, socket or device would block a read or never end it.
    if (!S_ISREG(status.st_mode)) {
        throwOpenError(path, ENOTSUP);
    }
    if (static_cast<std::uint64_t>(status.st_size) > maxPictureFileBytes) {
        throwOpenError(path, EFBIG);
    }

    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(status.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            throw EReadError();
        }
        got += static_cast<std::size_t>(n);
    }
    return bytes;
}

} // namespace tarvelo
