// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"
#include "WideText.h"

#include <memory>
#include <windows.h>

namespace tarvelo {

namespace {
struct LocalFreer {
    void operator()(wchar_t** list) const { LocalFree(list); }
};
} // namespace

std::vector<std::string> utf8Arguments(int /*argc*/, char** /*argv*/) {
    int count = 0;
    const std::unique_ptr<wchar_t*, LocalFreer> list(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> arguments;
    for (int i = 1; list && i < count; ++i) {
        arguments.push_back(utf8FromWide(list.get()[i]));
    }
    return arguments;
}

void useUtf8Output() {
    // Only a console has a code page to set; a pipe or a file takes the bytes.
    DWORD mode = 0;
    if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) {
        SetConsoleOutputCP(CP_UTF8);
    }
}

} // namespace tarvelo
