// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportMessages.h"

namespace tarvelo {

namespace {

QString unreadable(const QString& fileName, const QString& reason) {
    return QStringLiteral("Soubor „%1“ nelze přečíst: %2.").arg(fileName, reason);
}

} // namespace

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
