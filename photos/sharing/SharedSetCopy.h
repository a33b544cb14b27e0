// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"
#include "SharedSet.h"
#include "TemporaryFolder.h"

#include <QString>
#include <memory>

namespace tarvelo {

// A shared set unpacked to be looked at or taken over, in a temporary folder
// of its own that goes when this does.
struct SharedSetCopy {
    // Null when no temporary folder could be made; unpacked.message says why.
    std::unique_ptr<TemporaryFolder> folder;
    PhotoSet set;
    UnpackedSharedSet unpacked;
};

// Unpacks the shared set in `file` (unpackSharedSet) into a new temporary
// folder, its missing breeds drawn from drawingsDir.
SharedSetCopy unpackSharedSetCopy(const QString& file, const QString& drawingsDir,
                                  const UnpackProgress& progress = {});

} // namespace tarvelo
