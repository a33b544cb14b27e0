// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-launch.exe, what the Start-menu shortcut runs. The quiz reads
// obr\0\<n>.jpg under its working directory, so this starts tarvelo.exe from
// its own folder in the user's own picture set, %LOCALAPPDATA%\tarvelo, when
// that holds obr\0, else in the installed folder. Waits for the quiz and
// returns its exit status. Wide calls only: folders may have Czech names.
#include "PictureErrors.h"
#include "WideText.h"

#include <memory>
#include <shlobj.h>
#include <string>
#include <windows.h>

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct CoTaskFreer {
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

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

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// %LOCALAPPDATA%\tarvelo when it holds obr\0, else the installed folder.
std::wstring workingFolder(const std::wstring& installed) {
    wchar_t* raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &raw);
    const std::unique_ptr<wchar_t, CoTaskFreer> localAppData(raw);
    if (FAILED(result))
        return installed;
    const std::wstring own = std::wstring(localAppData.get()) + L"\\tarvelo";
    return isFolder(own + L"\\obr\\0") ? own : installed;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
    const std::wstring folder = ownFolder();
    const std::wstring quiz = folder + L"\\tarvelo.exe";
    const std::wstring workDir = workingFolder(folder);

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
