// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tarvelo {

// The operating system's own description of error code err, in UTF-8 and as
// the system words it: an errno value on POSIX systems, a GetLastError() code
// on Windows.
std::string systemMessage(int err);

// The same with trailing full stops, spaces and control characters removed,
// to stand inside a sentence.
std::string systemErrorText(int err);

} // namespace tarvelo
