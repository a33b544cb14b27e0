// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetPlace.h"

#include "PhotoSet.h"
#include "SetLocation.h"

#include <QDir>
#include <QFileInfo>

namespace tarvelo {

SetPlace setPlace(const QString& commandLineFolder, const QString& programFolder) {
    const QString portable =
        QDir(programFolder).filePath(QString::fromLatin1(portableDrawingsFolder));
    const bool unzipped = QFileInfo::exists(QDir(portable).filePath(QStringLiteral("0.jpg")));

    SetPlace place;
    place.drawingsDir = unzipped ? portable : bundledDrawingsDir();
    if (!commandLineFolder.isEmpty()) {
        place.root = QFileInfo(commandLineFolder).absoluteFilePath();
    } else {
        place.root = unzipped ? QDir(programFolder).absolutePath() : PhotoSet::defaultRoot();
    }
    return place;
}

} // namespace tarvelo
