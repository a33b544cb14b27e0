// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetPlace.h"

#include "ClassSet.h"
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
    place.unzipped = unzipped && commandLineFolder.isEmpty();
    place.drawingsDir = unzipped ? portable : bundledDrawingsDir();
    if (!commandLineFolder.isEmpty()) {
        place.root = QFileInfo(commandLineFolder).absoluteFilePath();
    } else {
        place.root = unzipped ? QDir(programFolder).absolutePath() : PhotoSet::defaultRoot();
    }
    return place;
}

SetPlace classSetPlace(const QString& programFolder) {
    SetPlace place = setPlace(QString(), programFolder);
    place.unzipped = false;
    place.root = QDir::cleanPath(QString::fromStdU16String(classSetHome().u16string()));
    return place;
}

std::optional<QString> classSetRefusal(const QString& root) {
    if (mayWriteClassSet(std::filesystem::path(root.toStdU16String())))
        return std::nullopt;
#ifdef _WIN32
    const QString who = QStringLiteral("Spusťte „Tarvelo – vlastní fotografie“ jako správce.");
#else
    const QString who = QStringLiteral("Smí to jen root nebo člen skupiny její složky.");
#endif
    return QStringLiteral("Sadu pro všechny uživatele tohoto počítače (%1) nemůžete měnit. %2 "
                          "Nic nebylo změněno.")
        .arg(QDir::toNativeSeparators(root), who);
}

} // namespace tarvelo
