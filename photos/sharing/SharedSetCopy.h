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

// A new temporary folder for a copy, its set still empty, missing breeds to
// be drawn from drawingsDir. The folder (and its lock) is made here and goes
// on the thread that drops the copy; unpackInto may run on another.
SharedSetCopy makeSharedSetCopy(const QString& drawingsDir);

// Unpacks the shared set in `file` (unpackSharedSet) into copy's folder and
// says how in copy.unpacked. It touches the file and what lies in the
// folder, never the folder itself or its lock, so it may run on a worker
// thread while the thread that made the copy keeps it.
void unpackInto(SharedSetCopy& copy, const QString& file, const UnpackProgress& progress = {});

} // namespace tarvelo
