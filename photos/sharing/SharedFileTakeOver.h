// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"
#include "SharedSet.h"

#include <QString>

namespace tarvelo {

// Takes the shared set in `file` over without a look first (the command
// line): unpacked straight into the staging folder beside `target`'s
// pictures, so each photograph is written once, and swapped in whole only
// when every one of them went in (SetReplacement). With everyAccount `target`
// is the class set, refused before anything is written to an account that
// may not change it (takeOverRefusal). What was unpacked, or in message why
// nothing changed.
UnpackedSharedSet takeOverSharedFile(PhotoSet& target, bool everyAccount, const QString& file);

} // namespace tarvelo
