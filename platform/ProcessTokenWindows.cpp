// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessToken.h"

namespace tarvelo {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

} // namespace

std::unique_ptr<unsigned char[]> processTokenPart(TOKEN_INFORMATION_CLASS part) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) {
        return nullptr;
    }
    const std::unique_ptr<void, HandleCloser> token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), part, nullptr, 0, &size);
    if (size == 0) {
        return nullptr;
    }
    auto buffer = std::make_unique<unsigned char[]>(size);
    if (!GetTokenInformation(token.get(), part, buffer.get(), size, &size)) {
        return nullptr;
    }
    return buffer;
}

bool isThisAccount(PSID owner) {
    const auto user = processTokenPart(TokenUser);
    if (user && EqualSid(owner, reinterpret_cast<TOKEN_USER*>(user.get())->User.Sid)) {
        return true;
    }
    const auto made = processTokenPart(TokenOwner);
    return made && EqualSid(owner, reinterpret_cast<TOKEN_OWNER*>(made.get())->Owner);
}

} // namespace tarvelo
