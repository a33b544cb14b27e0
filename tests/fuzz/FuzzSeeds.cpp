// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a small starting corpus for the JPEG fuzzer into the given folder.
#include "JpegFixtures.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    using namespace tarvelo::fixtures;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    int n = 0;
    auto seed = [&](const JpegRecipe& recipe) {
        writeFile(dir / ("seed-" + std::to_string(n++) + ".jpg"), makeJpeg(recipe));
    };
    for (Colour colour :
         {Colour::Rgb, Colour::Grey, Colour::AdobeCmyk, Colour::PlainCmyk, Colour::Ycck}) {
        for (bool progressive : {false, true}) {
            for (bool arithmetic : {false, true}) {
                JpegRecipe recipe;
                recipe.width = 33;
                recipe.height = 17;
                recipe.colour = colour;
                recipe.pattern = Pattern::Photo;
                recipe.progressive = progressive;
                recipe.arithmetic = arithmetic;
                recipe.restartInterval = (n % 3 == 0) ? 1 : 0;
                seed(recipe);
            }
        }
    }
    // Photographs with an Exif orientation, in both byte orders, and the bare
    // APP1 payloads, which the fuzzer also reads as such.
    for (ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
        for (int orientation : {1, 3, 6, 8}) {
            JpegRecipe recipe;
            recipe.width = 24;
            recipe.height = 16;
            recipe.orientation = orientation;
            recipe.exifByteOrder = order;
            seed(recipe);
            writeFile(dir / ("seed-exif-" + std::to_string(n++) + ".bin"),
                      exifPayload(orientation, order));
        }
    }
    writeFile(dir / "seed-tables.jpg", makeTablesOnly());
    // A scan repeated past what the decoder takes, and one short of it: each
    // run on them must end quickly.
    JpegRecipe progressive;
    progressive.width = 33;
    progressive.height = 17;
    progressive.progressive = true;
    writeFile(dir / "seed-scans-150.jpg", withScans(makeJpeg(progressive), 150));
    writeFile(dir / "seed-scans-99.jpg", withScans(makeJpeg(progressive), 99));
    return 0;
}
