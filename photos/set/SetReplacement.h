// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"
#include "SetFolderLock.h"

#include <QString>
#include <memory>
#include <optional>

namespace tarvelo {

// The pictures of a set replaced whole, or not at all: the new obr is made in
// a staging folder beside the set's own (SetFolderRecovery.h names it), made
// complete and flushed to the disk, and only then swapped in; the old one goes
// after. A process killed at any moment leaves the old set or the new one,
// and at worst a staging folder that the next start removes.
class SetReplacement {
public:
    // Begins replacing the pictures of `set`; nothing, with a Czech message,
    // when another program is changing the set or no staging folder can be made.
    static std::unique_ptr<SetReplacement> begin(const PhotoSet& set, QString* message);
    // Not committed: the staging folder goes, and the set is as it was.
    ~SetReplacement();
    SetReplacement(const SetReplacement&) = delete;
    SetReplacement& operator=(const SetReplacement&) = delete;

    // The new set being made, with the set's drawings.
    PhotoSet& staged() { return staged_; }

    // Swaps the staged pictures in; a Czech message, and the set as it was,
    // when that fails.
    std::optional<QString> commit();

private:
    SetReplacement(const PhotoSet& set, QString stagingFolder);

    SetFolderLock lock_;
    PhotoSet set_;
    QString stagingFolder_;
    PhotoSet staged_;
};

// Makes `set` hold exactly the pictures of `from`, photograph by photograph,
// all or nothing (SetReplacement); a Czech message when that fails.
std::optional<QString> replaceSetPictures(PhotoSet& set, const PhotoSet& from);

// Why `target` may not take a shared set over: with everyAccount it is the
// class set, and this account may not change it (the Czech reason).
std::optional<QString> takeOverRefusal(const PhotoSet& target, bool everyAccount);

// Takes a shared set over, from the command line and the window alike:
// `target` comes to hold exactly the photographs of `shared`, a set unpacked
// from a shared file, all or nothing. With everyAccount `target` is the class
// set, and an account that may not change it is refused (takeOverRefusal)
// before anything is written.
std::optional<QString> takeOverSharedSet(PhotoSet& target, bool everyAccount,
                                         const PhotoSet& shared);

} // namespace tarvelo
