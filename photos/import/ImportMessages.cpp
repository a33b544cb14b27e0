// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportMessages.h"

namespace tarvelo {

QString importReason(ImportProblem problem, const QString& detail) {
    switch (problem) {
    case ImportProblem::Missing:
        return QStringLiteral("soubor neexistuje");
    case ImportProblem::Unreadable:
        return detail.isEmpty() ? QStringLiteral("soubor nelze otevřít") : detail;
    case ImportProblem::NotAFile:
        return QStringLiteral("není to obyčejný soubor, ale roura, zařízení nebo soket");
    case ImportProblem::Empty:
        return QStringLiteral("soubor je prázdný");
    case ImportProblem::NotAnImage:
        return QStringLiteral("není to obrázek ve známém formátu (JPEG, PNG)");
    case ImportProblem::Unsupported:
        return QStringLiteral("formát %1 tento program neumí; uložte fotografii jako JPEG nebo PNG")
            .arg(detail);
    case ImportProblem::Damaged:
        return QStringLiteral("obrázek je poškozený");
    case ImportProblem::Truncated:
        return QStringLiteral("obrázek je neúplný, soubor je useknutý");
    case ImportProblem::EndlessScans:
        return QStringLiteral("obrázek JPEG má víc než %1 průchodů (skenů), tolik jich žádný "
                              "fotoaparát nezapíše; otevřete ho v editoru obrázků a uložte znovu")
            .arg(detail);
    case ImportProblem::TooLarge:
        return QStringLiteral("obrázek je příliš velký (%1)").arg(detail);
    case ImportProblem::NotWritten:
        break;
    }
    return detail;
}

QString importMessage(ImportProblem problem, const QString& fileName, const QString& detail) {
    if (problem == ImportProblem::NotWritten) {
        return QStringLiteral("Obrázek nelze uložit jako „%1“: %2.").arg(fileName, detail);
    }
    return QStringLiteral("Soubor „%1“ nelze přečíst: %2.")
        .arg(fileName, importReason(problem, detail));
}

} // namespace tarvelo
