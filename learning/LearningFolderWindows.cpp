// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LearningFolder.h"
#include "WideText.h"

#include <cstdlib>

namespace tarvelo {

// %APPDATA%: the account's roaming folder, which follows a pupil from one
// school computer to another where the school has set that up.
std::optional<std::string> learningFolder() {
    const wchar_t* value = _wgetenv(L"APPDATA");
    if (value == nullptr || value[0] == L'\0') {
        return std::nullopt;
    }
    return utf8FromWide(value) + "\\tarvelo";
}

} // namespace tarvelo
