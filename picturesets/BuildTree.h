// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace tarvelo {

// The data folder (holding obr/0) of the source tree a program in folder was
// built from: found through the CMakeCache.txt of the build folder at or above
// folder, so nothing of the build's paths is compiled in. Empty for a program
// that is not in a build tree.
std::filesystem::path sourceTreeData(const std::filesystem::path& folder);

} // namespace tarvelo
