// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace tarvelo {

// One program at a time takes over the pictures of a set's folder or tidies
// up after one that was killed: a lock file, .tarvelo.lock, beside obr. It
// is taken at once or not at all, is released by the system when its process
// dies, and leaves no file behind.
class SetFolderLock {
public:
    explicit SetFolderLock(const std::filesystem::path& setFolder);
    ~SetFolderLock();
    SetFolderLock(const SetFolderLock&) = delete;
    SetFolderLock& operator=(const SetFolderLock&) = delete;

    // False when another process holds it, or the folder is not writable
    // for this one.
    bool held() const { return held_; }

private:
    std::filesystem::path file_;
    long long handle_ = -1; // a descriptor, or a Windows handle
    bool held_ = false;
};

} // namespace tarvelo
