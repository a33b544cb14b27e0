// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AtomicFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarvelo {

// Who is to read what a write below a set's folder makes.
enum class NewEntries {
    ByUmask, // as the umask says; a replaced file's permissions carry over
    // The class set: files rw-r--r--, folders rwxr-xr-x whatever the umask; a
    // replaced file keeps what it had besides, and a folder made where the
    // group may write (a class set kept by a group) lets the group write too.
    ReadableByAll,
};

// A picture set's folder, as writes below it see it. root (UTF-8) is trusted
// as it is named, links above it included; below it nothing is ever reached
// through a link, junction or other reparse point.
struct SetFolder {
    std::string root;
    NewEntries newEntries = NewEntries::ByUmask;
};

// The functions below take a path below set.root: components separated by
// "/" (or "\\" on Windows), none of them empty, "." or "..", such as
// "obr/5/3.jpg". Each folder on the way is reached from root one component
// at a time and refused, with error.link set, when it is a link: on POSIX
// systems through descriptors (openat with O_NOFOLLOW), so that a link swapped
// in between a check and the write cannot redirect it; on Windows each is
// checked for a reparse point just before the change. The file itself is
// always created, replaced or removed as a name in its folder, a link in its
// place included, never followed.

// writeFileAtomically for the file below set.root, whose folder must exist.
// New files are made as set.newEntries says.
std::optional<WriteError> writeFileInSet(const SetFolder& set, const std::string& below,
                                         std::span<const std::uint8_t> bytes);

// replaceFile for two names below set.root, a file or a folder moved to the
// other's place: at every moment to is either its old self or from.
std::optional<WriteError> replaceInSet(const SetFolder& set, const std::string& from,
                                       const std::string& to);

// Removes the file (or link) below set.root, recorded on the disk when this
// returns.
std::optional<WriteError> removeFileInSet(const SetFolder& set, const std::string& below);

// Removes the folder below set.root with everything in it, such as an old obr
// moved aside: a link found in it, or in its place, is removed itself and
// nothing where it leads is touched. Nothing there is no error. On a failure
// part of it may be gone already.
std::optional<WriteError> removeTreeInSet(const SetFolder& set, const std::string& below);

// Makes the folder below set.root and the folders on the way to it where they
// are missing, as set.newEntries says; those there already are left as they are.
std::optional<WriteError> makeFoldersInSet(const SetFolder& set, const std::string& below);

// Whether path (UTF-8) itself is a symbolic link, junction or other reparse
// point, whatever it leads to; false when nothing is there.
bool isLink(const std::string& path);

} // namespace tarvelo
