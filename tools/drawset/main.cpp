// tarvelo-drawset: draws the bundled picture set.
//   tarvelo-drawset OUTDIR            writes OUTDIR/obr/0/0.jpg .. 18.jpg
//   tarvelo-drawset --sheet FILE.png  writes all pictures on one review sheet
// Both may be given together.

#include "PictureSet.h"

#include <BreedCatalogue.h>
#include <QDir>
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

int writeSet(const QString& outDir) {
    const QString folder = QDir(outDir).filePath("obr/0");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "tarvelo-drawset: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    for (int index = 0; index < tarvelo::breedCount; ++index) {
        const tarvelo::drawset::PictureFormat format = tarvelo::drawset::pictureFormat(index);
        const QString path = QDir(folder).filePath(QString::number(index) + ".jpg");
        QString error;
        if (!tarvelo::drawset::writeJpeg(tarvelo::drawset::drawPicture(index), path,
                                         format.progressive, error)) {
            std::fprintf(stderr, "tarvelo-drawset: %s: %s\n", qPrintable(path), qPrintable(error));
            return 1;
        }
    }
    return 0;
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
    if (!outDir.isEmpty()) {
        if (const int status = writeSet(outDir); status != 0) {
            return status;
        }
    }
    if (!sheet.isEmpty() && !tarvelo::drawset::contactSheet().save(sheet, "png")) {
        std::fprintf(stderr, "tarvelo-drawset: cannot write %s\n", qPrintable(sheet));
        return 1;
    }
    return 0;
}
