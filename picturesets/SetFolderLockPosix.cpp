// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvelo {

SetFolderLock::SetFolderLock(const std::filesystem::path& setFolder)
    : file_(setFolder / ".tarvelo.lock") {
    const int fd =
        ::open(file_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0) {
        return;
    }
    handle_ = fd;
    // The holder before removed the file when it let go: a lock on that file
    // locks nothing any more, so the file must still be the one at the name.
    struct stat held {};
    struct stat named {};
    held_ = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 &&
            ::lstat(file_.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino;
}

SetFolderLock::~SetFolderLock() {
    if (handle_ < 0) {
        return;
    }
    if (held_) {
        ::unlink(file_.c_str()); // still locked: nobody can take the old file meanwhile
    }
    ::close(static_cast<int>(handle_));
}

} // namespace tarvelo
