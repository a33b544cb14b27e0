// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedPhotos.h"
#include "SetPlaces.h"
#include "Utf8Path.h"

#include <aclapi.h>
#include <memory>
#include <sddl.h>
#include <shlobj.h>
#include <string>
#include <system_error>
#include <windows.h>

namespace tarvelo {

namespace {

struct LocalFreer {
    void operator()(void* memory) const { LocalFree(memory); }
};
struct CoTaskFreer {
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};
struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

std::filesystem::path knownFolder(const KNOWNFOLDERID& id) {
    wchar_t* raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(id, 0, nullptr, &raw);
    const std::unique_ptr<wchar_t, CoTaskFreer> text(raw);
    if (FAILED(result) || !text) {
        return {};
    }
    return std::filesystem::path(text.get());
}

// The user this process runs as, as TOKEN_USER (the SID follows in the buffer).
std::unique_ptr<unsigned char[]> processUser() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) {
        return nullptr;
    }
    const std::unique_ptr<void, HandleCloser> token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0) {
        return nullptr;
    }
    auto buffer = std::make_unique<unsigned char[]>(size);
    if (!GetTokenInformation(token.get(), TokenUser, buffer.get(), size, &size)) {
        return nullptr;
    }
    return buffer;
}

// Administrators, SYSTEM and user may have made what path names; nobody else.
bool ownedByTrusted(const std::filesystem::path& path, PSID user) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR raw = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                              nullptr, nullptr, nullptr, &raw) != ERROR_SUCCESS) {
        return false;
    }
    const std::unique_ptr<void, LocalFreer> descriptor(raw);
    return owner && (IsWellKnownSid(owner, WinBuiltinAdministratorsSid) ||
                     IsWellKnownSid(owner, WinLocalSystemSid) || (user && EqualSid(owner, user)));
}

// The rights the installers give %ProgramData%\tarvelo: owner Administrators;
// a DACL of its own (P), inherited by every folder and file made in it (OICI):
// full control (FA) for Administrators (BA) and SYSTEM (SY), read and execute
// (0x1200a9) for Users (BU).
constexpr wchar_t classSetRights[] =
    L"O:BAG:SYD:PAI(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";

// Whether the folder's DACL is its own rather than inherited from above.
bool hasOwnRights(const std::filesystem::path& folder) {
    PSECURITY_DESCRIPTOR raw = nullptr;
    PACL dacl = nullptr;
    if (GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &raw) != ERROR_SUCCESS) {
        return false;
    }
    const std::unique_ptr<void, LocalFreer> descriptor(raw);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    return GetSecurityDescriptorControl(raw, &control, &revision) &&
           (control & SE_DACL_PROTECTED) != 0;
}

DWORD giveClassSetRights(const std::filesystem::path& folder) {
    PSECURITY_DESCRIPTOR raw = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(classSetRights, SDDL_REVISION_1, &raw,
                                                              nullptr)) {
        return GetLastError();
    }
    const std::unique_ptr<void, LocalFreer> descriptor(raw);
    PSID owner = nullptr;
    PACL dacl = nullptr;
    BOOL defaulted = FALSE;
    BOOL present = FALSE;
    if (!GetSecurityDescriptorOwner(raw, &owner, &defaulted) ||
        !GetSecurityDescriptorDacl(raw, &present, &dacl, &defaulted)) {
        return GetLastError();
    }
    std::wstring name = folder.wstring();
    return SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT,
                                 OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                     PROTECTED_DACL_SECURITY_INFORMATION,
                                 owner, nullptr, dacl, nullptr);
}

bool tokenHas(WELL_KNOWN_SID_TYPE type) {
    unsigned char sid[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof sid;
    if (!CreateWellKnownSid(type, nullptr, sid, &size)) {
        return false;
    }
    BOOL member = FALSE;
    return CheckTokenMembership(nullptr, sid, &member) && member;
}

} // namespace

std::filesystem::path ownSetFolder() {
    const auto folder = knownFolder(FOLDERID_LocalAppData);
    return folder.empty() ? folder : folder / L"tarvelo";
}

std::string whyNoOwnSet() {
    return "Windows neuvádí složku místních dat aplikací (%LOCALAPPDATA%).";
}

std::vector<std::filesystem::path> classSetFolders() {
    return {classSetHome()};
}

std::filesystem::path classSetHome() {
    const auto folder = knownFolder(FOLDERID_ProgramData);
    return folder.empty() ? folder : folder / L"tarvelo";
}

// Every folder and file the quiz may read from the set: obr\0, which is
// always there, and whichever further photographs' folders obr\1 .. obr\9
// exist.
bool classSetTrusted(const std::filesystem::path& folder) {
    const auto userBuffer = processUser();
    const PSID user =
        userBuffer ? reinterpret_cast<TOKEN_USER*>(userBuffer.get())->User.Sid : nullptr;
    const auto obr = folder / L"obr";
    if (!ownedByTrusted(folder, user) || !ownedByTrusted(obr, user)) {
        return false;
    }
    for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
        const auto pictures = obr / std::to_wstring(photo);
        std::error_code error;
        if (photo > 0 &&
            !std::filesystem::exists(std::filesystem::symlink_status(pictures, error))) {
            continue;
        }
        if (!ownedByTrusted(pictures, user)) {
            return false;
        }
        for (std::filesystem::directory_iterator entry(pictures, error), end;
             !error && entry != end; entry.increment(error)) {
            if (!ownedByTrusted(entry->path(), user)) {
                return false;
            }
        }
        if (error) {
            return false;
        }
    }
    return true;
}

bool mayWriteClassSet(const std::filesystem::path&) {
    return tokenHas(WinBuiltinAdministratorsSid) || tokenHas(WinLocalSystemSid);
}

std::optional<std::string> prepareClassSetFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return "Složku „" + utf8FromPath(folder) +
               "“ pro sadu všech uživatelů nelze vytvořit (chyba " + std::to_string(error.value()) +
               "). Nic nebylo změněno.";
    }
    if (hasOwnRights(folder)) {
        return std::nullopt;
    }
    if (const DWORD failed = giveClassSetRights(folder)) {
        return "Složce „" + utf8FromPath(folder) +
               "“ nelze nastavit oprávnění, podle kterých ji ostatní uživatelé smějí jen číst "
               "(chyba " +
               std::to_string(failed) + "). Nic nebylo změněno.";
    }
    return std::nullopt;
}

std::string whoMayWriteClassSet() {
    return "Spusťte „Tarvelo – vlastní fotografie“ jako správce.";
}

std::vector<std::filesystem::path> installedSetFolders(const std::filesystem::path& programFolder) {
    // One flat folder: obr\0 of the drawings beside the programs.
    return {programFolder};
}

} // namespace tarvelo
