// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedSetCopy.h"

namespace tarvelo {

SharedSetCopy unpackSharedSetCopy(const QString& file, const QString& drawingsDir,
                                  const UnpackProgress& progress) {
    QString problem;
    std::optional<TemporaryFolder> folder = makeTemporaryFolder(&problem);
    if (!folder) {
        UnpackedSharedSet refused;
        refused.message = problem;
        return {.folder = nullptr, .set = PhotoSet({}, drawingsDir), .unpacked = refused};
    }
    auto owned = std::make_unique<TemporaryFolder>(std::move(*folder));
    PhotoSet set(owned->path(), drawingsDir);
    UnpackedSharedSet unpacked = unpackSharedSet(file, set, progress);
    return {.folder = std::move(owned), .set = std::move(set), .unpacked = std::move(unpacked)};
}

} // namespace tarvelo
