// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Windows only: who this process runs as, for judging who owns a folder.
#include <memory>
#include <windows.h>

namespace tarvelo {

// One piece of this process's token (TokenUser, TokenOwner…), whose SID
// follows in the same buffer; null where the system does not say.
std::unique_ptr<unsigned char[]> processTokenPart(TOKEN_INFORMATION_CLASS part);

// This account, or the owner it gives what it makes (Administrators for an
// elevated administrator, where the system is set so).
bool isThisAccount(PSID owner);

} // namespace tarvelo
