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

// "cannot write <path>: <the system's text> (<step>)", in English, for tools.
std::string writeErrorText(const std::string& path, const WriteError& error);

} // namespace tarvelo
