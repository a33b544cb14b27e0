// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JpegPicture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvelo {

// The largest file taken as a picture. A 48-megapixel phone photograph is
// about 25 MB, and what tarvelo-photos stores far less; a larger file is no
// photograph, and a sparse one may claim a terabyte it would be read into.
inline constexpr std::uint64_t maxPictureFileBytes = 64ULL << 20; // 64 MiB

// The whole file at path (UTF-8), read at once and closed again, with the
// system's own file functions. Never waits on a pipe or a device: anything
// but a regular file, and a file larger than maxPictureFileBytes, is refused
// before a byte is read or allocated. Throws EFOpenError (with the absolute
// path and the system's reason) or EReadError when fewer bytes arrive than
// its size.
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
