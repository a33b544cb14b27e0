// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JpegPicture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvelo {

// The whole file at path (UTF-8), read at once and closed again, with the
// system's own file functions. Throws EFOpenError (with the absolute path) or
// EReadError when fewer bytes arrive than its size.
std::vector<std::uint8_t> readPictureFile(const std::string& path);

// Throws the EFOpenError for an open of path that failed with system error
// code err (as systemErrorText takes it).
[[noreturn]] void throwOpenError(const std::string& path, int err);

// Loads the photograph at path (relative to the working directory): kind by
// extension, whole file into memory, header parsed, pixels not decoded.
// Throws EInvalidGraphic before touching the file, then EFOpenError,
// EReadError or EJPEG.
JpegPicture loadPicture(const std::string& path);

} // namespace tarvelo
