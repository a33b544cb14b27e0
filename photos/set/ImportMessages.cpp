// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportFailure.h"
#include "PictureErrors.h"

namespace tarvelo {

namespace {

QString unreadable(const QString& fileName, const QString& reason) {
    return QStringLiteral("Soubor „%1“ nelze přečíst: %2.").arg(fileName, reason);
}

} // namespace

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

QString importMessage(ImportProblem problem, const QString& fileName, const QString& detail) {
    switch (problem) {
    case ImportProblem::Missing:
        return unreadable(fileName, QStringLiteral("soubor neexistuje"));
    case ImportProblem::Unreadable:
        return unreadable(fileName,
                          detail.isEmpty() ? QStringLiteral("soubor nelze otevřít") : detail);
    case ImportProblem::NotAFile:
        return unreadable(fileName, QStringLiteral("není to obyčejný soubor, ale roura, zařízení "
                                                   "nebo soket"));
    case ImportProblem::Empty:
        return unreadable(fileName, QStringLiteral("soubor je prázdný"));
    case ImportProblem::NotAnImage:
        return unreadable(fileName, QStringLiteral("není to obrázek ve známém formátu "
                                                   "(JPEG, PNG)"));
    case ImportProblem::Unsupported:
        return unreadable(fileName,
                          QStringLiteral("formát %1 tento program neumí; uložte fotografii "
                                         "jako JPEG nebo PNG")
                              .arg(detail));
    case ImportProblem::Damaged:
        return unreadable(fileName, QStringLiteral("obrázek je poškozený"));
    case ImportProblem::Truncated:
        return unreadable(fileName, QStringLiteral("obrázek je neúplný, soubor je useknutý"));
    case ImportProblem::EndlessScans:
        return unreadable(fileName,
                          QStringLiteral("obrázek JPEG má víc než %1 průchodů (skenů), tolik jich "
                                         "žádný fotoaparát nezapíše; otevřete ho v editoru obrázků "
                                         "a uložte znovu")
                              .arg(detail));
    case ImportProblem::TooLarge:
        return unreadable(fileName, QStringLiteral("obrázek je příliš velký (%1)").arg(detail));
    case ImportProblem::NotWritten:
        return QStringLiteral("Obrázek nelze uložit jako „%1“: %2.").arg(fileName, detail);
    }
    return unreadable(fileName, detail);
}

} // namespace tarvelo
