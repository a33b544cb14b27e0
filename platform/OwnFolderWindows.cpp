// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OwnFolder.h"
#include "ProcessToken.h"
#include "TreeRemoval.h"
#include "WideText.h"

#include <aclapi.h>
#include <memory>
#include <windows.h>

namespace tarvelo {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct LocalFreer {
    void operator()(void* memory) const { LocalFree(memory); }
};

std::wstring pathOf(const std::string& parent, const std::string& name) {
    std::wstring path = wideFromUtf8(parent);
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') {
        path += L'\\';
    }
    return path + wideFromUtf8(name);
}

// The folder itself, not where a reparse point in its place leads.
bool ownFolderAt(const std::wstring& path) {
    const HANDLE raw =
        CreateFileW(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (raw == INVALID_HANDLE_VALUE) {
        return false;
    }
    const std::unique_ptr<void, HandleCloser> folder(raw);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(folder.get(), &information) ||
        !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return false;
    }
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(folder.get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    const std::unique_ptr<void, LocalFreer> freed(descriptor);
    return owner && isThisAccount(owner);
}

constexpr int maxDepth = 16;

} // namespace

std::string privateTemporaryBase(const std::string& fallback) {
    return fallback;
}

bool isOwnFolder(const std::string& parent, const std::string& name) {
    return ownFolderAt(pathOf(parent, name));
}

OwnFolderRemoval removeOwnFolder(const std::string& parent, const std::string& name) {
    const std::wstring path = pathOf(parent, name);
    if (!ownFolderAt(path)) {
        return OwnFolderRemoval::NotOwn;
    }
    return removeTree(path, maxDepth) == 0 ? OwnFolderRemoval::Removed : OwnFolderRemoval::Failed;
}

} // namespace tarvelo
