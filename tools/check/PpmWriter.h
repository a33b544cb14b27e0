// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExifOrientation.h"
#include "Raster.h"

#include <filesystem>

namespace tarvelo {

// Writes raster as a binary PPM (P6), red-green-blue, palette expanded,
// turned upright as orientation says. Throws std::runtime_error when the
// file cannot be written.
void writePpm(const Raster& raster, Orientation orientation, const std::filesystem::path& path);

} // namespace tarvelo
