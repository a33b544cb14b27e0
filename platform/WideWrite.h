// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Windows only: the write all or nothing that writeFileAtomically and
// writeFileInSet share, to a path already made wide.
#include "AtomicFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarvelo {

// The whole write to target, a wide path: a temporary file beside it, then
// moved over it, on the disk when this returns.
std::optional<WriteError> writeTo(const std::wstring& target, std::span<const std::uint8_t> bytes);

} // namespace tarvelo
