// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvelo {

// Why a photograph could not be imported; importMessage words it in Czech.
enum class ImportProblem {
    Missing,      // no such file
    Unreadable,   // exists, but cannot be opened or read
    NotAFile,     // a pipe, device or socket, whose read could wait for ever
    Empty,        // zero bytes
    NotAnImage,   // no reader recognises it
    Unsupported,  // a picture format we have no reader for (detail: its name)
    Damaged,      // recognised, but its data cannot be decoded
    Truncated,    // the file ends before the picture does
    EndlessScans, // more JPEG scans than any camera writes (detail: the limit)
    TooLarge,     // more pixels or bytes than we accept (detail: the figures)
    NotWritten,   // the set's copy could not be written (detail: the system's reason)
};

// Thrown inside the import and caught by importPhoto, which turns it into an
// ImportResult; never leaves the engine.
struct ImportFailure {
    ImportProblem problem;
    QString detail;
};

// The reason alone, in Czech: "obrázek je poškozený" and the like.
QString importReason(ImportProblem problem, const QString& detail = {});

// "Soubor „fileName“ nelze přečíst: <reason>." and the like.
QString importMessage(ImportProblem problem, const QString& fileName, const QString& detail = {});

} // namespace tarvelo
