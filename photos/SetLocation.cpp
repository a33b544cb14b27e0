// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tarvelo {

namespace {

bool holdsDrawings(const QString& dir) {
    return !dir.isEmpty() && QFileInfo::exists(dir + QStringLiteral("/0.jpg"));
}

// A program built and not installed finds its source tree through the build
// folder's cache, so nothing of the build's paths is compiled into it.
QString sourceTreeDrawings(QDir dir) {
    do {
        QFile cache(dir.filePath(QStringLiteral("CMakeCache.txt")));
        if (cache.open(QIODevice::ReadOnly | QIODevice::Text)) {
            static const QByteArray key = "CMAKE_HOME_DIRECTORY:INTERNAL=";
            while (!cache.atEnd()) {
                const QByteArray line = cache.readLine().trimmed();
                if (line.startsWith(key))
                    return QString::fromUtf8(line.mid(key.size())) + QStringLiteral("/data/obr/0");
            }
            return {};
        }
    } while (dir.cdUp());
    return {};
}

} // namespace

QString bundledDrawingsDir() {
    const QString programDir = QCoreApplication::applicationDirPath();
    if (programDir.isEmpty())
        return {};
    // A build tree first: a developer's build uses its own tree's drawings
    // even where a package is installed too.
    const QString source = sourceTreeDrawings(QDir(programDir));
    if (holdsDrawings(source))
        return QDir::cleanPath(source);
    for (const QString& dir : installedDrawingsDirs(programDir))
        if (holdsDrawings(dir))
            return QDir::cleanPath(dir);
    return {};
}

} // namespace tarvelo
