// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Test scaffolding, not part of any package: a stand-in tarvelo.exe with which
// check-installer-standin tests the installer and launcher before the real
// quiz is built. Writes its working directory, UTF-8, to the file named by
// TARVELO_STANDIN_LOG and exits with TARVELO_STANDIN_STATUS (default 0).
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <windows.h>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::wstring variable(const wchar_t* name) {
    std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
    return value;
}

std::string utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    const std::wstring log = variable(L"TARVELO_STANDIN_LOG");
    if (log.empty())
        return 2;
    const std::unique_ptr<std::FILE, FileCloser> file(_wfopen(log.c_str(), L"wb"));
    if (!file)
        return 2;
    const std::string text = utf8(folder);
    std::fwrite(text.data(), 1, text.size(), file.get());
    const std::wstring status = variable(L"TARVELO_STANDIN_STATUS");
    return status.empty() ? 0 : std::wcstol(status.c_str(), nullptr, 10);
}
