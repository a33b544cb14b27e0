// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// POSIX only: the write all or nothing that writeFileAtomically and
// writeFileInSet share, of one name in a folder already open.
#include "AtomicFile.h"
#include "SetFolderFiles.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarvelo {

// The whole write of path, relative to folder (a descriptor, or AT_FDCWD):
// a temporary file beside it, then renamed over it. A replaced file's
// permissions carry over; entries says who may read a new one.
std::optional<WriteError> writeInFolder(int folder, const std::string& path,
                                        std::span<const std::uint8_t> bytes, NewEntries entries);

} // namespace tarvelo
