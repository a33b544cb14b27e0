// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

// Picture kinds chosen by file-name extension. Only JPEG is registered: the
// quiz loads nothing else, so every other extension is refused.
enum class PictureKind { Jpeg };

// The text after the path's last ".", unless a directory or drive separator
// follows it; empty when there is none. Returned as written (case kept).
std::string pictureExtension(std::string_view path);

// The registered kind for an extension, compared case-insensitively.
std::optional<PictureKind> findPictureKind(std::string_view extension);

// findPictureKind(pictureExtension(path)), or EInvalidGraphic before any file access.
PictureKind choosePictureKind(std::string_view path);

} // namespace tarvelo
