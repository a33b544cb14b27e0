// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureFile.h"

#include "PictureErrors.h"
#include "PictureKind.h"
#include "Utf8Path.h"

#include <filesystem>

namespace tarvelo {

namespace {

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(pathFromUtf8(path), error);
    return error ? path : utf8FromPath(absolute);
}

} // namespace

void throwOpenError(const std::string& path, int err) {
    throw EFOpenError(absolutePath(path), systemErrorText(err));
}

JpegPicture loadPicture(const std::string& path) {
    choosePictureKind(path); // JPEG is the only kind
    return JpegPicture::fromBytes(readPictureFile(path));
}

} // namespace tarvelo
