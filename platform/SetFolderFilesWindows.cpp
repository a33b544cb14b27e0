// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetFolderFiles.h"
#include "TreeRemoval.h"
#include "WideText.h"
#include "WideWrite.h"

#include <optional>
#include <vector>
#include <windows.h>

namespace tarvelo {

namespace {

// A path below a set's folder, taken apart at either separator; nothing when
// a component is empty, "." or "..".
std::optional<std::vector<std::wstring>> split(const std::string& below) {
    std::vector<std::wstring> parts;
    const std::wstring wide = wideFromUtf8(below);
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = wide.find_first_of(L"\\/", start);
        std::wstring part = wide.substr(start, slash == std::wstring::npos ? slash : slash - start);
        if (part.empty() || part == L"." || part == L"..") {
            return std::nullopt;
        }
        parts.push_back(std::move(part));
        if (slash == std::wstring::npos) {
            return parts;
        }
        start = slash + 1;
    }
}

struct Reached {
    std::wstring path; // the folder reached, or the whole path below root
    std::optional<WriteError> error;
};

void append(std::wstring& path, const std::wstring& name) {
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') {
        path += L'\\';
    }
    path += name;
}

WriteError folderError(DWORD code, bool link = false) {
    return WriteError{WriteStep::Folder, static_cast<int>(code), link};
}

// root and then the first count of names below it, each checked just before
// it is used: a folder, and no junction, symbolic link or other reparse point.
// With make, folders missing on the way are made; they inherit the rights of
// the folder above, as anything made there does.
Reached reach(const SetFolder& set, const std::vector<std::wstring>& names, std::size_t count,
              bool make) {
    Reached reached{wideFromUtf8(set.root), std::nullopt};
    DWORD attributes = GetFileAttributesW(reached.path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        reached.error = folderError(GetLastError());
        return reached;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        reached.error = folderError(ERROR_DIRECTORY);
        return reached;
    }
    for (std::size_t i = 0; i < count; ++i) {
        append(reached.path, names[i]);
        attributes = GetFileAttributesW(reached.path.c_str());
        const DWORD missing = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
        if (make && (missing == ERROR_FILE_NOT_FOUND || missing == ERROR_PATH_NOT_FOUND)) {
            // Another writer may make it at the same moment: then it is there.
            if (!CreateDirectoryW(reached.path.c_str(), nullptr) &&
                GetLastError() != ERROR_ALREADY_EXISTS) {
                reached.error = folderError(GetLastError());
                return reached;
            }
            attributes = GetFileAttributesW(reached.path.c_str());
        }
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            reached.error = folderError(GetLastError());
            return reached;
        }
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            reached.error = folderError(ERROR_CANT_RESOLVE_FILENAME, true);
            return reached;
        }
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            reached.error = folderError(ERROR_DIRECTORY);
            return reached;
        }
    }
    return reached;
}

// The folder of below reached; path then names below itself.
Reached reachFileIn(const SetFolder& set, const std::string& below) {
    const auto parts = split(below);
    if (!parts) {
        return {{}, folderError(ERROR_INVALID_NAME)};
    }
    Reached reached = reach(set, *parts, parts->size() - 1, false);
    if (!reached.error) {
        append(reached.path, parts->back());
    }
    return reached;
}

} // namespace

std::optional<WriteError> writeFileInSet(const SetFolder& set, const std::string& below,
                                         std::span<const std::uint8_t> bytes) {
    const Reached target = reachFileIn(set, below);
    if (target.error) {
        return target.error;
    }
    return writeTo(target.path, bytes);
}

std::optional<WriteError> replaceInSet(const SetFolder& set, const std::string& from,
                                       const std::string& to) {
    const Reached source = reachFileIn(set, from);
    if (source.error) {
        return source.error;
    }
    const Reached target = reachFileIn(set, to);
    if (target.error) {
        return target.error;
    }
    // A folder moves only to a free name: REPLACE_EXISTING is for files.
    const DWORD attributes = GetFileAttributesW(source.path.c_str());
    const bool folder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!MoveFileExW(source.path.c_str(), target.path.c_str(),
                     (folder ? 0 : MOVEFILE_REPLACE_EXISTING) | MOVEFILE_WRITE_THROUGH)) {
        return WriteError{WriteStep::Replace, static_cast<int>(GetLastError())};
    }
    return std::nullopt;
}

std::optional<WriteError> removeFileInSet(const SetFolder& set, const std::string& below) {
    const Reached target = reachFileIn(set, below);
    if (target.error) {
        return target.error;
    }
    if (!DeleteFileW(target.path.c_str())) {
        return WriteError{WriteStep::Remove, static_cast<int>(GetLastError())};
    }
    return std::nullopt;
}

std::optional<WriteError> removeTreeInSet(const SetFolder& set, const std::string& below) {
    const Reached target = reachFileIn(set, below);
    if (target.error) {
        return target.error;
    }
    // A set is two folders deep; far deeper is no set.
    constexpr int maxDepth = 16;
    if (const DWORD err = removeTree(target.path, maxDepth)) {
        return WriteError{WriteStep::Remove, static_cast<int>(err)};
    }
    return std::nullopt;
}

std::optional<WriteError> makeFoldersInSet(const SetFolder& set, const std::string& below) {
    const auto parts = split(below);
    if (!parts) {
        return folderError(ERROR_INVALID_NAME);
    }
    return reach(set, *parts, parts->size(), true).error;
}

bool isLink(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

} // namespace tarvelo
