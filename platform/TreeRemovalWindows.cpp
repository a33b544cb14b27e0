// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeRemoval.h"

#include <vector>
#include <windows.h>

namespace tarvelo {

namespace {

std::wstring inside(const std::wstring& path, const std::wstring& name) {
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') {
        return path + L'\\' + name;
    }
    return path + name;
}

} // namespace

// Each name is looked at just before it is used: a junction or other reparse
// point is removed itself, never entered. The callers make sure that nobody
// else may write in the tree (the account's own temporary folder, a set's
// folder that only the system or this account may change), so nothing can
// swap one in between the look and the removal.
unsigned long removeTree(const std::wstring& path, int depth) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD err = GetLastError();
        return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? 0 : err;
    }
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folder && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        if (depth == 0) {
            return ERROR_CANT_RESOLVE_FILENAME;
        }
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        const HANDLE listing = FindFirstFileW(inside(path, L"*").c_str(), &found);
        if (listing != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") {
                    names.push_back(name);
                }
            } while (FindNextFileW(listing, &found));
            FindClose(listing);
        }
        for (const std::wstring& name : names) {
            if (const DWORD err = removeTree(inside(path, name), depth - 1)) {
                return err;
            }
        }
    }
    // A link to a folder goes as a folder does, a link to a file as a file.
    const BOOL removed = folder ? RemoveDirectoryW(path.c_str()) : DeleteFileW(path.c_str());
    return removed ? 0 : GetLastError();
}

} // namespace tarvelo
