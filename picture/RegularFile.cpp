// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegularFile.h"

#include <utility>

namespace tarvelo {

RegularFile::~RegularFile() {
    close();
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), refusal_(other.refusal_),
      error_(other.error_), size_(other.size_) {}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
    if (this != &other) {
        close();
        descriptor_ = std::exchange(other.descriptor_, -1);
        refusal_ = other.refusal_;
        error_ = other.error_;
        size_ = other.size_;
    }
    return *this;
}

} // namespace tarvelo
