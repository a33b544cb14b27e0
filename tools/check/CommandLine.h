// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tarvelo {

// The program's arguments after its name, in UTF-8. On Windows main's argv
// is in the ANSI code page, which loses Czech letters, so they are taken from
// the wide command line there.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Text written to standard output is UTF-8; a Windows console is told so.
void useUtf8Output();

} // namespace tarvelo
