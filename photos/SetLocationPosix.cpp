// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetLocation.h"

#include <QDir>

namespace tarvelo {

QString defaultSetRoot() {
    // As the menu entry's launcher: a relative XDG_DATA_HOME counts as unset.
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(dataHome))
        return QDir::cleanPath(dataHome + QStringLiteral("/tarvelo"));
    return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/share/tarvelo"));
}

QStringList installedDrawingsDirs(const QString& programDir) {
    return {
        programDir + QStringLiteral("/" TARVELO_DATADIR_FROM_BINDIR "/tarvelo/obr/0"),
        QStringLiteral(TARVELO_INSTALL_DATADIR "/tarvelo/obr/0"),
    };
}

} // namespace tarvelo
