// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-check [--dump OUTDIR] [DIR]: checks the quiz's photographs under DIR
// (default: the current directory) the way the quiz loads and decodes them.
#include "CommandLine.h"
#include "PhotoSetCheck.h"
#include "Utf8Path.h"

#include <exception>
#include <iostream>
#include <new>

namespace {

int usage() {
    std::cerr << "usage: tarvelo-check [--dump OUTDIR] [DIR]\n"
                 "Loads and decodes every photograph of DIR as the quiz does: obr/0/0.jpg ..\n"
                 "18.jpg and any further ones of a breed, obr/1 .. obr/9. Prints one line\n"
                 "each: breed index, path, size, decode time and any error. Exits 1 if any\n"
                 "would fail.\n"
                 "The size is as shown: a photograph's Exif orientation is applied, and the\n"
                 "line says how.\n"
                 "--dump OUTDIR also writes each decoded picture as OUTDIR/<index>.ppm\n"
                 "(obr/K: <index>-<K>.ppm), upright as the quiz shows it.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    tarvelo::useUtf8Output();
    const std::vector<std::string> arguments = tarvelo::utf8Arguments(argc, argv);
    std::filesystem::path root = ".";
    std::optional<std::filesystem::path> dumpDir;
    bool haveRoot = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--dump" && i + 1 < arguments.size()) {
            dumpDir = tarvelo::pathFromUtf8(arguments[++i]);
        } else if (argument == "--help" || argument.starts_with('-') || haveRoot) {
            return usage();
        } else {
            root = tarvelo::pathFromUtf8(argument);
            haveRoot = true;
        }
    }
    try {
        return tarvelo::checkPhotoSet(root, dumpDir, std::cout) ? 0 : 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "tarvelo-check: nedostatek paměti\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tarvelo-check: " << e.what() << '\n';
        return 2;
    }
}
