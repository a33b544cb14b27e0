// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-round-memory SETDIR: plays one round of the quiz, through its real
// windows, on the pictures in SETDIR/obr/0, and prints the process's peak
// resident memory in bytes. A process of its own, so that nothing the
// benchmark itself holds counts.

#include "BreedCatalogue.h"
#include "PictureFile.h"
#include "Program.h"
#include "RoundPlayer.h"
#include "TApplication.h"

#include <QDir>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

namespace {

// VmHWM: the highest resident set size the process has had.
long long peakResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long long kib = 0;
            status >> kib;
            return kib * 1024;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    using namespace tarvelo;
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvelo-round-memory SETDIR\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    TApplication application(argc, argv);
    if (!QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "tarvelo-round-memory: no folder %s\n", argv[1]);
        return 2;
    }
    try {
        // The round player tells the pictures apart by their widths.
        std::vector<int> widths;
        for (int index = 0; index < breedCount; ++index) {
            widths.push_back(loadPicture(picturePath(index)).width());
        }
        Program program(application,
                        [&application](TForm2& form) { application.beginModal(form); });
        program.start();
        endurance::RoundPlayer player(application, program, [&widths](int index) {
            return widths.at(static_cast<std::size_t>(index));
        });
        const endurance::RoundOutcome outcome =
            player.play(Difficulty::Beginner, [](int question) { return question % 5 == 0; });
        if (outcome.pictures.size() != 19) {
            std::fprintf(stderr, "tarvelo-round-memory: the round showed %zu pictures\n",
                         outcome.pictures.size());
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarvelo-round-memory: %s\n", error.what());
        return 1;
    }
    std::printf("%lld\n", peakResidentBytes());
    return 0;
}
