// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoImport.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tarvelo {

// What the window says once an import into a breed has ended.
struct ImportSummary {
    // How many of the files were stored.
    int stored = 0;
    // The status line's sentence.
    QString status;
    // The files that could not be taken, with why, for a box; empty when
    // every one was stored.
    QString problem;
};

// The summary of importing files into breed, results in the files' order.
ImportSummary summarizeImport(const QString& breed, const QStringList& files,
                              const std::vector<ImportResult>& results);

} // namespace tarvelo
