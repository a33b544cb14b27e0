// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedFileTakeOver.h"

#include "SetReplacement.h"

#include <QDir>
#include <memory>

namespace tarvelo {

UnpackedSharedSet takeOverSharedFile(PhotoSet& target, bool everyAccount, const QString& file) {
    UnpackedSharedSet failed;
    if (auto refusal = takeOverRefusal(target, everyAccount)) {
        failed.message = *refusal;
        return failed;
    }
    // A folder made for the set alone goes again when nothing came of it.
    const bool newFolder = !QDir(target.root()).exists();
    UnpackedSharedSet unpacked;
    {
        const std::unique_ptr<SetReplacement> replacement =
            SetReplacement::begin(target, &failed.message);
        if (!replacement) {
            return failed;
        }
        unpacked = unpackSharedSet(file, replacement->staged());
        if (unpacked.info) {
            if (auto notSwapped = replacement->commit()) {
                unpacked.info.reset();
                unpacked.message = *notSwapped;
            }
        }
    }
    if (!unpacked.info && newFolder) {
        QDir().rmdir(target.root());
    }
    return unpacked;
}

} // namespace tarvelo
