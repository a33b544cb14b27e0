// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandSet.h"

#include "CommandOutput.h"
#include "Utf8Path.h"

namespace tarvelo {

std::optional<EditedSet> commandSet(const QStringList& arguments, qsizetype dirAt,
                                    const QString& programFolder, bool classSet) {
    if (classSet && arguments.size() > dirAt) {
        say(QStringLiteral("tarvelo-photos: --class-set and DIR name two sets; give one"));
        return std::nullopt;
    }
    return editedSet(pictureSetPlaces(pathFromUtf8(programFolder.toStdString())),
                     pathFromUtf8(arguments.value(dirAt).toStdString()), classSet);
}

} // namespace tarvelo
