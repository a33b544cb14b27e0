// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// POSIX only: the permission bits the tests check.
#include <string>
#include <sys/stat.h>

namespace tarvelo {

// The rwx bits of path itself, a link not followed.
inline mode_t permissionsOf(const std::string& path) {
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode & 0777;
}

} // namespace tarvelo
