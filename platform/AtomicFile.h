// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarvelo {

// The step of an atomic write that failed.
enum class WriteStep {
    Create,     // the temporary file next to the target
    Write,      // its bytes
    Sync,       // forcing them onto the disk (fsync, FlushFileBuffers)
    Close,      // closing it
    Replace,    // putting it in the target's place
    SyncFolder, // recording the new name on the disk; the target is replaced already
    Folder,     // reaching (or making) the folder it goes in, below a set's folder
    Remove,     // taking a file out of a set
};

struct WriteError {
    WriteStep step;
    int code; // the system's: errno on POSIX systems, GetLastError() on Windows
    // A symbolic link, junction or other reparse point stood where a folder
    // of a set was to be: nothing was written through it.
    bool link = false;

    // No room left on the disk, or the user's quota is used up.
    bool diskFull() const;
    // The system refused the access: a read-only folder, disk or file.
    bool accessDenied() const;
};

// Writes bytes as the file at path (UTF-8), all or nothing: they go into a
// temporary file in path's folder, every write, the flush to the disk and the
// close are checked, and only then does it replace path in one step. On a
// failure before that the temporary file is removed and whatever was at path
// stays exactly as it was. A new file gets the permissions of the one it
// replaces; a link at path is replaced, not followed.
std::optional<WriteError> writeFileAtomically(const std::string& path,
                                              std::span<const std::uint8_t> bytes);

// Moves the file at from (UTF-8) to path in one step, replacing whatever
// was there: at every moment path is either the old file or the moved one,
// never a mix. Only the step that failed is reported (Replace, or SyncFolder
// when the move is done but not yet recorded on the disk).
std::optional<WriteError> replaceFile(const std::string& from, const std::string& path);

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

// "cannot write <path>: <the system's text> (<step>)", in English, for tools.
std::string writeErrorText(const std::string& path, const WriteError& error);

} // namespace tarvelo
