// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>

namespace tarvelo {

// Loads and decodes every photograph of the quiz under root (each breed's
// obr/0 .. obr/9 that are there) exactly as the quiz would, printing one line
// per photograph to out; with dumpDir, writes each decoded picture there as
// <index>.ppm (the first of a breed) or <index>-<K>.ppm (obr/K), upright as the
// quiz shows it.
// A line names the Exif orientation when one was applied. Returns true when
// all would show without an error.
bool checkPhotoSet(const std::filesystem::path& root,
                   const std::optional<std::filesystem::path>& dumpDir, std::ostream& out);

} // namespace tarvelo
