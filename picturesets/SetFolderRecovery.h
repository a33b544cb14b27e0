// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PictureSets.h"

#include <filesystem>
#include <string_view>

namespace tarvelo {

// A take-over builds the new obr in a folder of this name and a random
// suffix beside the set's own obr, as STAGING/obr, and swaps it in whole; where
// the system swaps in two steps, the old obr waits as STAGING/old between them.
inline constexpr std::string_view stagingPrefix = ".tarvelo-new-";

// What a program killed while it changed the set in folder left behind,
// mended at the next start of the editor or the launcher: an obr missing
// between the two steps of a swap comes back from STAGING/old, and the
// staging folders and the atomic writer's temporary files (.N.jpg.XXXXXXXX,
// ~N.jpg.XXXXXXXX in obr/K) go. Only names of that pattern are touched, never
// through a link or junction (one in their place is removed as itself), and
// only while this process holds the set's lock; a set this user may not
// change is left as it is.
void recoverSetFolder(const std::filesystem::path& folder);

// recoverSetFolder for a class set's folder, only where it is the system's
// (classSetFolderGuarded): in one that another account made or may write in,
// it could swap a link in while the folder is walked. The launcher mends the
// class set at every start, for every account, administrators included.
void recoverClassSetFolder(const std::filesystem::path& folder);

// The set tarvelo-photos edits, mended as the kind of set it is.
void recoverEditedSet(const EditedSet& edited);

} // namespace tarvelo
