// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetFolderLock.h"

#include <windows.h>

namespace tarvelo {

// Opened for nobody else to share, and deleted by the system when closed,
// also when the process dies.
SetFolderLock::SetFolderLock(const std::filesystem::path& setFolder)
    : file_(setFolder / L".tarvelo.lock") {
    const HANDLE file = CreateFileW(
        file_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    handle_ = reinterpret_cast<long long>(file);
    held_ = true;
}

SetFolderLock::~SetFolderLock() {
    if (held_) {
        CloseHandle(reinterpret_cast<HANDLE>(handle_));
    }
}

} // namespace tarvelo
