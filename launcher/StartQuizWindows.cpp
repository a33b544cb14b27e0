// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Wide calls only: folders may have Czech names.
#include "StartQuiz.h"
#include "SystemMessage.h"
#include "WideText.h"

#include <memory>
#include <string>
#include <windows.h>

namespace tarvelo {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

} // namespace

std::filesystem::path programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) {
            return L".";
        }
        if (length < size) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2); // truncated: long path
    }
    return std::filesystem::path(path).parent_path();
}

int startQuiz(const std::filesystem::path& programFolder, const std::filesystem::path& setFolder) {
    const std::wstring quiz = (programFolder / L"tarvelo.exe").wstring();
    const std::wstring workDir = setFolder.wstring();

    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring commandLine = L"\"" + quiz + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(quiz.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.c_str(), &startup, &started)) {
        const auto error = static_cast<int>(GetLastError());
        const std::wstring text =
            L"Cannot start \"" + quiz + L"\". " + wideFromUtf8(systemErrorText(error));
        MessageBoxW(nullptr, text.c_str(), L"tarvelo", MB_OK | MB_ICONERROR);
        return 1;
    }
    const Handle process(started.hProcess);
    const Handle thread(started.hThread);

    WaitForSingleObject(process.get(), INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.get(), &status);
    return static_cast<int>(status);
}

} // namespace tarvelo
