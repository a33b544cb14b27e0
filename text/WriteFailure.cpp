// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WriteFailure.h"

#include "SystemMessage.h"

namespace tarvelo {

QString writeFailureReason(const WriteError& error) {
    if (error.link) {
        return QStringLiteral("v cestě je odkaz, který vede jinam, a přes odkazy Tarvelo "
                              "nezapisuje");
    }
    if (error.diskFull()) {
        return QStringLiteral("na disku není místo");
    }
    if (error.accessDenied()) {
        return QStringLiteral("přístup odepřen, složka je asi jen pro čtení");
    }
    // The system's own words for the rarer causes, for whoever looks into it.
    const QString cause = QString::fromStdString(systemErrorText(error.code));
    switch (error.step) {
    case WriteStep::Create:
        return QStringLiteral("soubor nelze vytvořit (%1)").arg(cause);
    case WriteStep::Replace:
        return QStringLiteral("nový soubor nelze dát na místo starého (%1)").arg(cause);
    case WriteStep::Folder:
        return QStringLiteral("složku pro soubor nelze otevřít ani vytvořit (%1)").arg(cause);
    case WriteStep::Remove:
        return QStringLiteral("soubor nelze smazat (%1)").arg(cause);
    default:
        return QStringLiteral("chyba při zápisu (%1)").arg(cause);
    }
}

} // namespace tarvelo
