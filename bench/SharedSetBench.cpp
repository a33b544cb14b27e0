// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedSetBench.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "PhotoSet.h"
#include "SetReplacement.h"
#include "SharedSet.h"
#include "Timing.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>
#include <string>
#include <vector>

namespace tarvelo::bench {

namespace {

namespace fs = std::filesystem;

QString text(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// Runs a program to its end in folder; its time in milliseconds, or -1.
double runMs(const QString& program, const QStringList& arguments, const fs::path& folder) {
    QProcess child;
    child.setWorkingDirectory(text(folder));
    child.setStandardOutputFile(QProcess::nullDevice());
    double ms = millisecondsOf([&] {
        child.start(program, arguments);
        child.waitForFinished(300'000);
    });
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        std::fprintf(stderr, "tarvelo-photos-bench: %s failed\n", program.toStdString().c_str());
        ms = -1;
    }
    return ms;
}

fs::path fivePerBreed(const fs::path& set, const fs::path& dir) {
    const fs::path five = dir / "set-5";
    for (int photo = 0; photo < 5; ++photo) {
        fs::create_directories(five / "obr" / std::to_string(photo));
        for (int index = 0; index < 19; ++index) {
            fs::copy_file(set / picturePath(index), five / photoPath(index, photo));
        }
    }
    return five;
}

// What a script that trusts nobody does with the file: unpacks it, forces it
// onto the disk (as the take-over does) and checks every photograph.
double unzipSyncCheck(const QString& file, const fs::path& unzipped, const fs::path& dir) {
    return runMs(QStringLiteral("unzip"),
                 {QStringLiteral("-q"), file, QStringLiteral("-d"), text(unzipped)}, dir) +
           runMs(QStringLiteral("sync"), {}, dir) +
           runMs(QStringLiteral(TARVELO_CHECK), {text(unzipped)}, dir);
}

} // namespace

void sharedSetBench(const fs::path& set, const fs::path& dir, int rounds) {
    const fs::path five = fivePerBreed(set, dir);
    const QString drawings = QStringLiteral(TARVELO_DRAWINGS);
    const PhotoSet source(text(five), drawings);
    const QString file = text(dir / "sada.tarvelo");
    std::vector<double> save, zip, open, unzipCheck, importSet, unzipSync;
    for (int round = 0; round < rounds; ++round) {
        QFile::remove(file);
        save.push_back(millisecondsOf([&] { saveSharedSet(source, {}, file); }));
        fs::remove(dir / "zipped.zip");
        zip.push_back(runMs(QStringLiteral("zip"),
                            {QStringLiteral("-0"), QStringLiteral("-r"), QStringLiteral("-q"),
                             text(dir / "zipped.zip"), QStringLiteral("obr")},
                            five));

        const fs::path target = dir / ("opened-" + std::to_string(round));
        open.push_back(millisecondsOf([&] {
            // As --import-set does it: unpacked beside the set, swapped in.
            const PhotoSet opened(text(target), drawings);
            QString problem;
            const auto replacement = SetReplacement::begin(opened, &problem);
            if (!replacement || !unpackSharedSet(file, replacement->staged()).info.has_value() ||
                replacement->commit()) {
                std::fprintf(stderr, "tarvelo-photos-bench: the shared set did not open\n");
            }
        }));
        const fs::path unzipped = dir / ("unzipped-" + std::to_string(round));
        unzipCheck.push_back(
            runMs(QStringLiteral("unzip"),
                  {QStringLiteral("-q"), file, QStringLiteral("-d"), text(unzipped)}, dir) +
            runMs(QStringLiteral(TARVELO_CHECK), {text(unzipped)}, dir));

        // The whole command as a script runs it, beside the script's floor.
        importSet.push_back(runMs(QStringLiteral(TARVELO_PHOTOS),
                                  {QStringLiteral("--import-set"), file,
                                   text(dir / ("imported-" + std::to_string(round)))},
                                  dir));
        unzipSync.push_back(
            unzipSyncCheck(file, dir / ("unzipped-synced-" + std::to_string(round)), dir));
    }
    std::printf("A shared set of 95 photographs (%.1f MB), median of %d rounds: saving %.0f ms, "
                "zip -0 -r %.0f ms, ratio %.2f (goal <= 2); opening %.0f ms, unzip and "
                "tarvelo-check %.0f ms, ratio %.2f (goal <= 1.5).\n",
                static_cast<double>(QFileInfo(file).size()) / 1e6, rounds, median(save),
                median(zip), median(save) / median(zip), median(open), median(unzipCheck),
                median(open) / median(unzipCheck));
    std::printf("The same file taken over by tarvelo-photos --import-set FILE DIR, as a process: "
                "%.0f ms; unzip, sync and tarvelo-check, as processes: %.0f ms; ratio %.2f "
                "(goal <= 1.0).\n",
                median(importSet), median(unzipSync), median(importSet) / median(unzipSync));
}

} // namespace tarvelo::bench
