// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportSummary.h"

#include "CzechCounts.h"
#include "WindowText.h"

namespace tarvelo {

namespace {
QString statusText(const QString& breed, const QStringList& files,
                   const std::vector<ImportResult>& results, int stored) {
    if (files.size() == 1 && stored == 1) {
        return QStringLiteral("%1: uložena fotografie %2 (%3 × %4 pixelů).")
            .arg(breed, quotedPath(files.front()))
            .arg(results.front().storedSize.width())
            .arg(results.front().storedSize.height());
    }
    if (stored == 0) {
        return QStringLiteral("%1: nic se nezměnilo.").arg(breed);
    }
    return QStringLiteral("%1: uloženo %2.")
        .arg(breed, ofCount(stored, static_cast<int>(files.size())));
}

// One refused file is told as it is; several are listed together.
QString problemText(const QStringList& files, const QStringList& failures, int stored) {
    if (failures.isEmpty()) {
        return {};
    }
    if (files.size() == 1) {
        return failures.front();
    }
    QString text = QStringLiteral("Tyto soubory se nepodařilo přidat:\n\n") +
                   failures.join(QStringLiteral("\n"));
    if (stored > 0) {
        text += QStringLiteral("\n\nOstatní fotografie jsou uložené.");
    }
    return text;
}
} // namespace

ImportSummary summarizeImport(const QString& breed, const QStringList& files,
                              const std::vector<ImportResult>& results) {
    QStringList failures;
    for (const ImportResult& result : results) {
        if (!result.ok) {
            failures.push_back(result.message);
        }
    }
    ImportSummary summary;
    summary.stored = static_cast<int>(results.size()) - static_cast<int>(failures.size());
    summary.status = statusText(breed, files, results, summary.stored);
    summary.problem = problemText(files, failures, summary.stored);
    return summary;
}

} // namespace tarvelo
