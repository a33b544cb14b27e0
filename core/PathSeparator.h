// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvelo {

// What stands between folder names in a path the platform's file functions
// take: photographs are named in the system's own form.
#ifdef _WIN32
inline constexpr char pathSeparator = '\\';
#else
inline constexpr char pathSeparator = '/';
#endif

} // namespace tarvelo
