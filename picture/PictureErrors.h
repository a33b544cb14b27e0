// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SystemMessage.h"

#include <stdexcept>
#include <string>

namespace tarvelo {

// Everything the picture layer raises. what() is the text the error box shows
// (UTF-8); nothing in the picture layer catches these.
class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The path's extension names no registered picture kind.
class EInvalidGraphic : public PictureError {
public:
    explicit EInvalidGraphic(const std::string& extension);
};

// The file could not be opened; absolutePath and the system's reason go into the text.
class EFOpenError : public PictureError {
public:
    EFOpenError(const std::string& absolutePath, const std::string& reason);
};

// The file yielded fewer bytes than its size.
class EReadError : public PictureError {
public:
    EReadError();
};

// The JPEG library stopped with an error; code() is its message code.
class EJPEG : public PictureError {
public:
    explicit EJPEG(int code);
    int code() const { return code_; }

private:
    int code_;
};

// The header announces a raster larger than we are willing (or able) to hold.
class EPictureTooLarge : public PictureError {
public:
    EPictureTooLarge(long long width, long long height, long long limitPixels);
    // The raster allocation itself failed.
    EPictureTooLarge(long long width, long long height);
};

} // namespace tarvelo
