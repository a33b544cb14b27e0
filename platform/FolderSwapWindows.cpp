// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderSwap.h"
#include "WideText.h"

#include <filesystem>
#include <windows.h>

namespace tarvelo {

namespace {

bool move(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

// A file is flushed through a handle that may write to it.
DWORD flushFile(const std::filesystem::path& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    const DWORD err = FlushFileBuffers(file) ? 0 : GetLastError();
    CloseHandle(file);
    return err;
}

} // namespace

std::optional<WriteError> swapFolders(const std::string& staged, const std::string& live,
                                      const std::string& parked) {
    const std::wstring stagedW = wideFromUtf8(staged);
    const std::wstring liveW = wideFromUtf8(live);
    const std::wstring parkedW = wideFromUtf8(parked);
    if (GetFileAttributesW(liveW.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (!move(stagedW, liveW)) {
            return WriteError{WriteStep::Replace, static_cast<int>(GetLastError())};
        }
        return std::nullopt;
    }
    if (!move(liveW, parkedW)) {
        return WriteError{WriteStep::Replace, static_cast<int>(GetLastError())};
    }
    if (!move(stagedW, liveW)) {
        const DWORD err = GetLastError();
        move(parkedW, liveW);
        return WriteError{WriteStep::Replace, static_cast<int>(err)};
    }
    return std::nullopt;
}

std::optional<WriteError> syncFolderTree(const std::string& folder) {
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator entry(wideFromUtf8(folder), error), end;
         !error && entry != end; entry.increment(error)) {
        if (entry->is_regular_file(error) && !entry->is_symlink(error)) {
            if (const DWORD err = flushFile(entry->path())) {
                return WriteError{WriteStep::Sync, static_cast<int>(err)};
            }
        }
    }
    if (error) {
        return WriteError{WriteStep::Sync, error.value()};
    }
    return std::nullopt;
}

void matchPermissions(const std::string&, const std::string&) {}

} // namespace tarvelo
