// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// POSIX only: what the platform's walks below a folder share.
#include <cerrno>
#include <unistd.h>
#include <utility>

namespace tarvelo {

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
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
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

// A folder's fsync makes a rename in it durable; file systems that cannot
// sync a folder say EINVAL, and there is nothing more to do on them.
inline int syncOpenFolder(int dir) {
    if (::fsync(dir) != 0 && errno != EINVAL && errno != ENOTSUP) {
        return errno;
    }
    return 0;
}

} // namespace tarvelo
