// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Folders that are this account's alone, for the editor's temporary folders:
// where they are made, and how one that a killed run left is told from one
// that someone else planted in a folder every account may write (/tmp).
namespace tarvelo {

// The folder this account's temporary folders go in (UTF-8). On Linux
// $XDG_RUNTIME_DIR where it names a folder, not a link, that this account
// owns and only it may enter (mode 0700); else fallback, the system's
// temporary folder, in which they are made with mode 0700. On Windows
// fallback: %TEMP% is in the account's own profile.
std::string privateTemporaryBase(const std::string& fallback);

// Whether name in the folder parent (UTF-8) is a folder this account made for
// itself alone: on Linux a folder, not a link, that this account owns with
// mode 0700 exactly; on Windows a folder, not a reparse point, whose owner is
// this account.
bool isOwnFolder(const std::string& parent, const std::string& name);

enum class OwnFolderRemoval {
    Removed,
    NotOwn, // not this account's own (or not there): left alone
    Failed, // part of it may be gone
};

// Removes name in parent with everything in it, only where it is this
// account's own folder as isOwnFolder says. On Linux that is checked on the
// folder opened for the removal, without following a link, and everything in
// it is removed from that descriptor: a folder swapped in under the same name
// meanwhile is never walked. Links inside are removed as links, and nothing
// where they lead is touched; on Windows no reparse point is entered.
OwnFolderRemoval removeOwnFolder(const std::string& parent, const std::string& name);

} // namespace tarvelo
