// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureErrors.h"

namespace tarvelo {

namespace {

std::string pixelSize(long long width, long long height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

} // namespace

EInvalidGraphic::EInvalidGraphic(const std::string& extension)
    : PictureError("Unknown picture file extension (." + extension + ")") {}

EFOpenError::EFOpenError(const std::string& absolutePath, const std::string& reason)
    : PictureError("Cannot open file \"" + absolutePath + "\". " + reason) {}

EReadError::EReadError() : PictureError("Stream read error") {}

EJPEG::EJPEG(int code) : PictureError("JPEG error #" + std::to_string(code)), code_(code) {}

EPictureTooLarge::EPictureTooLarge(long long width, long long height, long long limitPixels)
    : PictureError("Picture too large to display (" + pixelSize(width, height) + "; at most " +
                   std::to_string(limitPixels / 1000000) + " megapixels)") {}

EPictureTooLarge::EPictureTooLarge(long long width, long long height)
    : PictureError("Not enough memory to display the picture (" + pixelSize(width, height) + ")") {}

} // namespace tarvelo
