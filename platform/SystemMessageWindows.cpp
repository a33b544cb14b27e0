// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemMessage.h"
#include "WideText.h"

#include <memory>
#include <windows.h>

namespace tarvelo {

namespace {
struct LocalFreer {
    void operator()(wchar_t* text) const { LocalFree(text); }
};
} // namespace

std::string systemMessage(int err) {
    wchar_t* buffer = nullptr;
    // The system allocates the text; with ALLOCATE_BUFFER the "buffer" argument
    // is where it stores the pointer.
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(err), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreer> owned(buffer);
    if (length == 0) {
        return "System error " + std::to_string(static_cast<unsigned long>(err));
    }
    return utf8FromWide(std::wstring_view(buffer, length));
}

} // namespace tarvelo
