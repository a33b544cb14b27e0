// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AtomicFile.h"

#include <optional>
#include <string>

namespace tarvelo {

// Puts the folder `staged` (UTF-8) in the place of the folder `live`, which
// need not exist, all in the same parent's file system. Where the system can
// swap two folders in one step (Linux), it does: at every moment `live` is
// the old folder or the new one, and the old one is left at `staged`.
// Elsewhere `live` first moves to `parked`, then `staged` takes its place; a
// process killed between the two leaves no `live`, and the old folder at
// `parked` to be put back (see recoverSetFolder). A failure of the second
// step puts the old folder back at once.
std::optional<WriteError> swapFolders(const std::string& staged, const std::string& live,
                                      const std::string& parked);

// Forces every file and folder under folder (UTF-8), and folder itself, onto
// the disk, so that a swap that follows never brings in half-written files.
std::optional<WriteError> syncFolderTree(const std::string& folder);

// Gives every folder under tree, and tree itself, the permission bits of the
// folder `like`, and every file the same without the right to execute:
// pictures swapped into a set stay as readable as the set's folder says
// (nobody else's for an own set, everybody's for the class set). Nothing on
// Windows, where the swapped folder inherits its parent's permissions.
void matchPermissions(const std::string& tree, const std::string& like);

} // namespace tarvelo
