// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegularFile.h"
#include "WideText.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace tarvelo {

namespace {

RegularFile::Refusal refusalFor(DWORD err) {
    switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return RegularFile::Refusal::Missing;
    case ERROR_ACCESS_DENIED:
        return RegularFile::Refusal::Denied;
    default:
        return RegularFile::Refusal::Other;
    }
}

} // namespace

RegularFile::RegularFile(const std::string& path, Links links) {
    // Shared as Qt shares a file it reads. Backup semantics let a folder open,
    // so that it is told as one; a reparse point is opened as itself when it
    // may not be followed.
    const HANDLE handle =
        CreateFileW(wideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS |
                        (links == Links::Refuse ? FILE_FLAG_OPEN_REPARSE_POINT : 0),
                    nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        error_ = static_cast<int>(err);
        refusal_ = refusalFor(err);
        return;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    // A pipe or a device (a link may lead to one) would block a read or
    // never end it.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        error_ = ERROR_NOT_SUPPORTED;
        refusal_ = Refusal::NotRegular;
    } else if (!GetFileInformationByHandle(handle, &information)) {
        error_ = static_cast<int>(GetLastError());
        refusal_ = Refusal::Other;
    } else if (links == Links::Refuse &&
               (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        error_ = ERROR_CANT_ACCESS_FILE;
        refusal_ = Refusal::Link;
    } else if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        error_ = ERROR_DIRECTORY;
        refusal_ = Refusal::Folder;
    } else if ((information.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0) {
        error_ = ERROR_NOT_SUPPORTED;
        refusal_ = Refusal::NotRegular;
    } else {
        const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
        if (fd < 0) {
            error_ = ERROR_TOO_MANY_OPEN_FILES;
            refusal_ = Refusal::Other;
            CloseHandle(handle);
            return;
        }
        descriptor_ = fd; // closing it closes the handle
        refusal_ = Refusal::None;
        size_ = (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow;
        return;
    }
    CloseHandle(handle);
}

void RegularFile::close() {
    if (descriptor_ >= 0) {
        _close(descriptor_);
        descriptor_ = -1;
    }
}

} // namespace tarvelo
