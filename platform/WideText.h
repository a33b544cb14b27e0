// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tarvelo {

// Windows' wide (UTF-16) functions take and give every character; the ANSI
// ones only those of the user's code page. These convert at that border.
std::wstring wideFromUtf8(std::string_view text);
std::string utf8FromWide(std::wstring_view text);

} // namespace tarvelo
