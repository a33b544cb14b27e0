// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one walk that removes a folder with everything in it, shared by a set's
// folders (removeTreeInSet) and the account's own temporary folders
// (removeOwnFolder). It never enters a link, junction or other reparse point:
// one found is removed as itself, and nothing where it leads is touched.
#include <string>

namespace tarvelo {

#ifdef _WIN32
// Removes path, and first, when it is a folder, what is in it, depth folders
// deep at most. 0, or the system's error (GetLastError()).
unsigned long removeTree(const std::wstring& path, int depth);
#else
// Removes name from the folder open as parent, and first, when it is a
// folder, what is in it, depth folders deep at most. Folders are opened
// without following a link (openat with O_NOFOLLOW), and a link is removed
// as the name it is. 0, or errno.
int removeTree(int parent, const std::string& name, int depth);

// Removes everything in the folder open as folder, the same way.
int removeContents(int folder, int depth);
#endif

} // namespace tarvelo
