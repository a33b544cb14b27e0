// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedSetCopy.h"

namespace tarvelo {

SharedSetCopy makeSharedSetCopy(const QString& drawingsDir) {
    QString problem;
    std::optional<TemporaryFolder> folder = makeTemporaryFolder(&problem);
    if (!folder) {
        UnpackedSharedSet refused;
        refused.message = problem;
        return {.folder = nullptr, .set = PhotoSet({}, drawingsDir), .unpacked = refused};
    }
    auto owned = std::make_unique<TemporaryFolder>(std::move(*folder));
    PhotoSet set(owned->path(), drawingsDir);
    return {.folder = std::move(owned), .set = std::move(set), .unpacked = {}};
}

void unpackInto(SharedSetCopy& copy, const QString& file, const UnpackProgress& progress) {
    if (!copy.folder) {
        return; // its message says why there is no folder
    }
    copy.unpacked = unpackSharedSet(file, copy.set, progress);
}

} // namespace tarvelo
