// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvelo {

namespace {

RegularFile::Refusal refusalFor(int err, Links links) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return RegularFile::Refusal::Missing;
    case EACCES:
    case EPERM:
        return RegularFile::Refusal::Denied;
    case ELOOP: // O_NOFOLLOW's answer for a link; otherwise links in a loop
        return links == Links::Refuse ? RegularFile::Refusal::Link : RegularFile::Refusal::Other;
    default:
        return RegularFile::Refusal::Other;
    }
}

} // namespace

RegularFile::RegularFile(const std::string& path, Links links) {
    // O_NONBLOCK: opening a FIFO for reading waits for a writer otherwise.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK |
                                            (links == Links::Refuse ? O_NOFOLLOW : 0));
    if (fd < 0) {
        error_ = errno;
        refusal_ = refusalFor(error_, links);
        return;
    }
    descriptor_ = fd;
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        error_ = errno;
        refusal_ = Refusal::Other;
    } else if (S_ISDIR(status.st_mode)) {
        error_ = EISDIR;
        refusal_ = Refusal::Folder;
    } else if (!S_ISREG(status.st_mode)) {
        // A FIFO, socket or device would block a read or never end it.
        error_ = ENOTSUP;
        refusal_ = Refusal::NotRegular;
    } else {
        // A regular file never blocks; its reads need not see the flag.
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0) {
            ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        }
        refusal_ = Refusal::None;
        size_ = static_cast<std::uint64_t>(status.st_size);
        return;
    }
    close();
}

void RegularFile::close() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

} // namespace tarvelo
