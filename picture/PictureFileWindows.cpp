// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureErrors.h"
#include "PictureFile.h"
#include "WideText.h"

#include <algorithm>
#include <windows.h>

namespace tarvelo {

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { CloseHandle(handle_); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

[[noreturn]] void throwLastOpenError(const std::string& path) {
    throwOpenError(path, static_cast<int>(GetLastError()));
}

} // namespace

std::vector<std::uint8_t> readPictureFile(const std::string& path) {
    // Others may read the photograph while we do, but an open fails while
    // anyone holds it open for writing: we never see a half-written file.
    const HANDLE handle =
        CreateFileW(wideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throwLastOpenError(path);
    }
    const FileHandle file(handle);
    // A pipe or a device (a link may lead to one) would block a read or never
    // end it.
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        throwOpenError(path, static_cast<int>(ERROR_NOT_SUPPORTED));
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file.get(), &information)) {
        throwLastOpenError(path);
    }
    if ((information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        throwOpenError(path, static_cast<int>(ERROR_NOT_SUPPORTED));
    }
    const std::uint64_t size =
        (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow;
    if (size > maxPictureFileBytes) {
        throwOpenError(path, static_cast<int>(ERROR_FILE_TOO_LARGE));
    }

    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        // ReadFile takes at most a DWORD's worth at a time.
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - got, 1u << 30));
        DWORD n = 0;
        if (!ReadFile(file.get(), bytes.data() + got, chunk, &n, nullptr) || n == 0) {
            throw EReadError();
        }
        got += n;
    }
    return bytes;
}

} // namespace tarvelo
