// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-check [--dump OUTDIR] [DIR]: checks the quiz's photographs under DIR
// (default: the current directory) the way the quiz loads and decodes them.
#include "PhotoSetCheck.h"

#include <cstring>
#include <exception>
#include <iostream>

namespace {

int usage() {
    std::cerr << "usage: tarvelo-check [--dump OUTDIR] [DIR]\n"
                 "Loads and decodes DIR/obr/0/0.jpg .. 18.jpg as the quiz does and prints\n"
                 "index, path, size, decode time and any error. Exits 1 if any would fail.\n"
                 "--dump OUTDIR also writes each decoded picture as OUTDIR/<index>.ppm.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::filesystem::path root = ".";
    std::optional<std::filesystem::path> dumpDir;
    bool haveRoot = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dump") == 0 && i + 1 < argc) {
            dumpDir = argv[++i];
        } else if (std::strcmp(argv[i], "--help") == 0 || argv[i][0] == '-' || haveRoot) {
            return usage();
        } else {
            root = argv[i];
            haveRoot = true;
        }
    }
    try {
        return tarvelo::checkPhotoSet(root, dumpDir, std::cout) ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "tarvelo-check: " << e.what() << '\n';
        return 2;
    }
}
