// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace tarvelo::bench {

// A set of five photographs of each breed, copied from the 19 of `set`,
// saved as one shared file and taken over by another folder, beside the
// floors a script reaches with zip and unzip. Prints the medians of `rounds`
// rounds; works in `dir`.
void sharedSetBench(const std::filesystem::path& set, const std::filesystem::path& dir, int rounds);

} // namespace tarvelo::bench
