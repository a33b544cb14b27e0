// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-launch.exe, what the Start-menu shortcut runs. The quiz reads
// obr\0\<n>.jpg under its working directory, so this starts tarvelo.exe from
// its own folder in the first picture set found: the user's own in
// %LOCALAPPDATA%\tarvelo, the class set in %ProgramData%\tarvelo unless
// another ordinary user put it there, else the drawings installed beside it.
// Waits for the quiz and returns its exit status. Wide calls only: folders
// may have Czech names.
#include "ClassSet.h"
#include "PictureErrors.h"
#include "WideText.h"

#include <memory>
#include <string>
#include <windows.h>

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// The folder this executable sits in, without a trailing backslash.
std::wstring ownFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0)
            return L".";
        if (length < size) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2); // truncated: long path
    }
    return path.substr(0, path.find_last_of(L'\\'));
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
    const std::wstring folder = ownFolder();
    const std::wstring quiz = folder + L"\\tarvelo.exe";
    const std::wstring workDir =
        tarvelo::choosePictureSet(tarvelo::pictureSetPlaces(folder)).folder.wstring();

    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring commandLine = L"\"" + quiz + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(quiz.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.c_str(), &startup, &started)) {
        const auto error = static_cast<int>(GetLastError());
        const std::wstring text = L"Cannot start \"" + quiz + L"\". " +
                                  tarvelo::wideFromUtf8(tarvelo::systemErrorText(error));
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
