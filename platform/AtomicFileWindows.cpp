// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"
#include "WideText.h"
#include "WideWrite.h"

#include <algorithm>
#include <cwchar>
#include <optional>
#include <random>
#include <windows.h>

namespace tarvelo {

namespace {

// Owns a file handle; close() reports what the destructor would swallow.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }

    DWORD close() {
        const BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed ? 0 : GetLastError();
    }

private:
    HANDLE handle_;
};

struct Temporary {
    std::wstring path;
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD error = 0;
};

// A new file named after target with a random suffix, in its folder, made
// here and nowhere else (CREATE_NEW). Nobody else may open it while we write.
Temporary createTemporary(const std::wstring& target) {
    const auto slash = target.find_last_of(L"\\/");
    const std::wstring folder =
        slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
    const std::wstring name = target.substr(folder.size());
    std::random_device random;
    Temporary temporary;
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t suffix[16];
        std::swprintf(suffix, sizeof suffix / sizeof suffix[0], L".%08x",
                      static_cast<unsigned>(random()));
        temporary.path = folder + L"~" + name + suffix;
        temporary.handle = CreateFileW(temporary.path.c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (temporary.handle != INVALID_HANDLE_VALUE) {
            return temporary;
        }
        temporary.error = GetLastError();
        if (temporary.error != ERROR_FILE_EXISTS && temporary.error != ERROR_ALREADY_EXISTS) {
            return temporary;
        }
    }
    return temporary;
}

DWORD writeAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        // WriteFile takes at most a DWORD's worth at a time.
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            return GetLastError();
        }
        if (written == 0) {
            return ERROR_WRITE_FAULT;
        }
        bytes = bytes.subspan(written);
    }
    return 0;
}

} // namespace

// The whole write to target, a wide path.
std::optional<WriteError> writeTo(const std::wstring& target, std::span<const std::uint8_t> bytes) {
    const Temporary temporary = createTemporary(target);
    if (temporary.handle == INVALID_HANDLE_VALUE) {
        return WriteError{WriteStep::Create, static_cast<int>(temporary.error)};
    }
    Handle file(temporary.handle);
    // A file still open cannot be deleted: closed first, then removed.
    const auto failed = [&](WriteStep step, DWORD code) {
        if (file.get() != INVALID_HANDLE_VALUE) {
            file.close();
        }
        DeleteFileW(temporary.path.c_str());
        return WriteError{step, static_cast<int>(code)};
    };
    if (const DWORD err = writeAll(file.get(), bytes)) {
        return failed(WriteStep::Write, err);
    }
    if (!FlushFileBuffers(file.get())) {
        return failed(WriteStep::Sync, GetLastError());
    }
    if (const DWORD err = file.close()) {
        return failed(WriteStep::Close, err);
    }
    // WRITE_THROUGH returns only when the move is on the disk, so there is no
    // folder to sync afterwards. A link in target's place is replaced itself.
    if (!MoveFileExW(temporary.path.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return failed(WriteStep::Replace, GetLastError());
    }
    return std::nullopt;
}

bool WriteError::diskFull() const {
    // ERROR_DISK_QUOTA_EXCEEDED, which mingw-w64's headers lack.
    constexpr DWORD quotaExceeded = 1295;
    const auto err = static_cast<DWORD>(code);
    return err == ERROR_DISK_FULL || err == ERROR_HANDLE_DISK_FULL || err == quotaExceeded;
}

bool WriteError::accessDenied() const {
    const auto err = static_cast<DWORD>(code);
    return err == ERROR_ACCESS_DENIED || err == ERROR_WRITE_PROTECT;
}

std::optional<WriteError> writeFileAtomically(const std::string& path,
                                              std::span<const std::uint8_t> bytes) {
    return writeTo(wideFromUtf8(path), bytes);
}

std::optional<WriteError> replaceFile(const std::string& from, const std::string& path) {
    // WRITE_THROUGH: the move is on the disk when this returns.
    if (!MoveFileExW(wideFromUtf8(from).c_str(), wideFromUtf8(path).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return WriteError{WriteStep::Replace, static_cast<int>(GetLastError())};
    }
    return std::nullopt;
}

} // namespace tarvelo
