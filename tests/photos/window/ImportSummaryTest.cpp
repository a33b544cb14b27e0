// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the status line and the box say once an import into a breed ended.
#include "ImportSummary.h"

#include <gtest/gtest.h>
#include <vector>

namespace tarvelo::testing {
namespace {

ImportResult stored(int width, int height) {
    ImportResult result;
    result.ok = true;
    result.storedSize = QSize(width, height);
    return result;
}

ImportResult refused(const QString& message) {
    ImportResult result;
    result.message = message;
    return result;
}

TEST(ImportSummaryTest, TheStatusLineCountsAndTheBoxNamesWhatWasRefused) {
    const QString damaged = QStringLiteral("Soubor „b.jpg“ není fotografie JPEG.");
    const QString missing = QStringLiteral("Soubor „c.jpg“ neexistuje.");
    const struct {
        const char* what;
        QStringList files;
        std::vector<ImportResult> results;
        int stored;
        QString status;
        QString problem;
    } cases[] = {
        {"one stored",
         {QStringLiteral("a.jpg")},
         {stored(1600, 1200)},
         1,
         QStringLiteral("Hereford: uložena fotografie a.jpg (1600 × 1200 pixelů)."),
         {}},
        {"all stored",
         {QStringLiteral("a.jpg"), QStringLiteral("d.jpg")},
         {stored(800, 600), stored(600, 800)},
         2,
         QStringLiteral("Hereford: uloženo 2 ze 2."),
         {}},
        {"every one refused",
         {QStringLiteral("b.jpg"), QStringLiteral("c.jpg")},
         {refused(damaged), refused(missing)},
         0,
         QStringLiteral("Hereford: nic se nezměnilo."),
         QStringLiteral("Tyto soubory se nepodařilo přidat:\n\n") + damaged + QStringLiteral("\n") +
             missing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ImportSummary summary =
            summarizeImport(QStringLiteral("Hereford"), c.files, c.results);
        EXPECT_EQ(summary.stored, c.stored);
        EXPECT_EQ(summary.status, c.status);
        EXPECT_EQ(summary.problem, c.problem);
    }
}

} // namespace
} // namespace tarvelo::testing
