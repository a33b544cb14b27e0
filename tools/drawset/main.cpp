// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-drawset: draws the bundled picture set.
//   tarvelo-drawset OUTDIR            writes OUTDIR/obr/0/0.jpg .. 18.jpg
//   tarvelo-drawset --sheet FILE.png  writes all pictures on one review sheet
// Both may be given together.

#include "DrawingSet.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

namespace {

int usage() {
    std::fputs("usage: tarvelo-drawset [OUTDIR] [--sheet FILE.png]\n"
               "  OUTDIR            write OUTDIR/obr/0/0.jpg .. 18.jpg\n"
               "  --sheet FILE.png  write a contact sheet of all pictures\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // Text on the contact sheet needs fonts, and fonts need a platform; no
    // display is required.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QStringList args = QGuiApplication::arguments();
    args.removeFirst();

    QString outDir;
    QString sheet;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == "--sheet" && i + 1 < args.size()) {
            sheet = args[++i];
        } else if (!args[i].startsWith("-") && outDir.isEmpty()) {
            outDir = args[i];
        } else {
            return usage();
        }
    }
    if (outDir.isEmpty() && sheet.isEmpty()) {
        return usage();
    }
    QString error;
    if (!outDir.isEmpty() && !tarvelo::drawset::writeDrawingSet(outDir, error)) {
        std::fprintf(stderr, "tarvelo-drawset: %s\n", qPrintable(error));
        return 1;
    }
    if (!sheet.isEmpty() && !tarvelo::drawset::writeContactSheet(sheet, error)) {
        std::fprintf(stderr, "tarvelo-drawset: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
