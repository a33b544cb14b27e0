// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedPhotos.h"
#include "ProcessToken.h"
#include "SetPlaces.h"
#include "Utf8Path.h"

#include <aclapi.h>
#include <memory>
#include <optional>
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

PSID userOf(const std::unique_ptr<unsigned char[]>& buffer) {
    return buffer ? reinterpret_cast<TOKEN_USER*>(buffer.get())->User.Sid : nullptr;
}

// NT SERVICE\TrustedInstaller, which owns much of what Windows installs.
bool isTrustedInstaller(PSID sid) {
    PSID raw = nullptr;
    if (!ConvertStringSidToSidW(L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
                                &raw)) {
        return false;
    }
    const std::unique_ptr<void, LocalFreer> installer(raw);
    return EqualSid(sid, installer.get());
}

// The system's own accounts, or this user.
bool isSystemOrUser(PSID sid, PSID user) {
    return IsWellKnownSid(sid, WinBuiltinAdministratorsSid) ||
           IsWellKnownSid(sid, WinLocalSystemSid) || isTrustedInstaller(sid) ||
           (user && EqualSid(sid, user));
}

// What lets a trustee change a folder's content, or its rights.
constexpr ACCESS_MASK writeRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD |
                                    DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

// Whether dacl lets nobody but the system's accounts and user write; no DACL
// at all lets everyone.
bool onlySystemOrUserWrite(PACL dacl, PSID user) {
    if (!dacl) {
        return false;
    }
    for (WORD i = 0; i < dacl->AceCount; ++i) {
        void* raw = nullptr;
        if (!GetAce(dacl, i, &raw)) {
            return false;
        }
        // Every kind of ACE has its mask just after the header.
        const auto* ace = static_cast<const ACCESS_ALLOWED_ACE*>(raw);
        const BYTE type = ace->Header.AceType;
        const bool denies = type == ACCESS_DENIED_ACE_TYPE ||
                            type == ACCESS_DENIED_OBJECT_ACE_TYPE ||
                            type == ACCESS_DENIED_CALLBACK_ACE_TYPE ||
                            type == ACCESS_DENIED_CALLBACK_OBJECT_ACE_TYPE;
        if (denies || (ace->Header.AceFlags & INHERIT_ONLY_ACE) || !(ace->Mask & writeRights)) {
            continue;
        }
        if (type != ACCESS_ALLOWED_ACE_TYPE) {
            return false; // a kind whose trustee is not where this looks
        }
        const PSID sid = const_cast<DWORD*>(&ace->SidStart);
        if (!isSystemOrUser(sid, user)) {
            return false;
        }
    }
    return true;
}

// The owner and DACL of the folder at path itself, opened so that a
// junction or other reparse point in its place is not followed; nothing when
// it is no folder, or a reparse point.
struct FolderRights {
    std::unique_ptr<void, LocalFreer> descriptor;
    PSID owner = nullptr;
    PACL dacl = nullptr;
};

std::optional<FolderRights> folderRights(const std::filesystem::path& path) {
    const HANDLE raw =
        CreateFileW(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (raw == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const std::unique_ptr<void, HandleCloser> folder(raw);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(folder.get(), &information) ||
        !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return std::nullopt;
    }
    FolderRights rights;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(folder.get(), SE_FILE_OBJECT,
                        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &rights.owner,
                        nullptr, &rights.dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    rights.descriptor.reset(descriptor);
    return rights;
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

// The class set's rights as a security descriptor; null with the system's
// error in GetLastError().
std::unique_ptr<void, LocalFreer> classSetDescriptor() {
    PSECURITY_DESCRIPTOR raw = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(classSetRights, SDDL_REVISION_1, &raw,
                                                              nullptr)) {
        return nullptr;
    }
    return std::unique_ptr<void, LocalFreer>(raw);
}

DWORD giveClassSetRights(const std::filesystem::path& folder) {
    const auto descriptor = classSetDescriptor();
    if (!descriptor) {
        return GetLastError();
    }
    void* const raw = descriptor.get();
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

// A new folder with the class set's rights from the start; 0, or the system's error.
DWORD makeWithClassSetRights(const std::filesystem::path& folder) {
    const auto descriptor = classSetDescriptor();
    if (!descriptor) {
        return GetLastError();
    }
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
    return CreateDirectoryW(folder.c_str(), &attributes) ? 0 : GetLastError();
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
bool classSetFolderGuarded(const std::filesystem::path& folder) {
    const auto userBuffer = processTokenPart(TokenUser);
    const PSID user = userOf(userBuffer);
    const std::optional<FolderRights> rights = folderRights(folder);
    return rights && rights->owner && isSystemOrUser(rights->owner, user) &&
           onlySystemOrUserWrite(rights->dacl, user);
}

bool classSetTrusted(const std::filesystem::path& folder) {
    const auto userBuffer = processTokenPart(TokenUser);
    const PSID user = userOf(userBuffer);
    const auto obr = folder / L"obr";
    if (!classSetFolderGuarded(folder) || !classSetFolderGuarded(obr) ||
        !ownedByTrusted(folder, user) || !ownedByTrusted(obr, user)) {
        return false;
    }
    for (int photo = 0; photo < maxPhotosPerBreed; ++photo) {
        const auto pictures = obr / std::to_wstring(photo);
        std::error_code error;
        if (photo > 0 &&
            !std::filesystem::exists(std::filesystem::symlink_status(pictures, error))) {
            continue;
        }
        if (!classSetFolderGuarded(pictures) || !ownedByTrusted(pictures, user)) {
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
    const auto cannotMake = [&folder](long long code) {
        return "Složku „" + utf8FromPath(folder) +
               "“ pro sadu všech uživatelů nelze vytvořit (chyba " + std::to_string(code) +
               "). Nic nebylo změněno.";
    };
    std::error_code error;
    std::filesystem::create_directories(folder.parent_path(), error);
    if (error) {
        return cannotMake(error.value());
    }
    // Made with its rights in one step, so nobody can slip in between.
    const DWORD made = makeWithClassSetRights(folder);
    if (made == 0) {
        return std::nullopt;
    }
    if (made != ERROR_ALREADY_EXISTS) {
        return cannotMake(made);
    }
    // Any user may create folders in %ProgramData%: one that is there is
    // taken only from the system's accounts (or this administrator).
    const auto userBuffer = processTokenPart(TokenUser);
    const std::optional<FolderRights> rights = folderRights(folder);
    if (!rights || !rights->owner || !isSystemOrUser(rights->owner, userOf(userBuffer))) {
        return "Složka „" + utf8FromPath(folder) +
               "“ pro sadu všech uživatelů nepatří správci počítače, proto se nepoužije. Nic "
               "nebylo změněno.";
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
