// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureKind.h"

#include "PictureErrors.h"

#include <algorithm>
#include <array>

namespace tarvelo {

namespace {

struct Registration {
    std::string_view extension; // lower case
    PictureKind kind;
};

constexpr std::array registry{
    Registration{"jpeg", PictureKind::Jpeg},
    Registration{"jpg", PictureKind::Jpeg},
};

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string pictureExtension(std::string_view path) {
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    const auto rest = path.substr(dot + 1);
    if (rest.find_first_of("/\\:") != std::string_view::npos) {
        return {};
    }
    return std::string(rest);
}

std::optional<PictureKind> findPictureKind(std::string_view extension) {
    std::string lower(extension);
    std::transform(lower.begin(), lower.end(), lower.begin(), lowerAscii);
    // Latest registration wins, as in a registry that later entries may override.
    for (auto it = registry.rbegin(); it != registry.rend(); ++it) {
        if (it->extension == lower) {
            return it->kind;
        }
    }
    return std::nullopt;
}

PictureKind choosePictureKind(std::string_view path) {
    const std::string extension = pictureExtension(path);
    if (const auto kind = findPictureKind(extension)) {
        return *kind;
    }
    throw EInvalidGraphic(extension);
}

} // namespace tarvelo
