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
         {Colour::Rgb, Colour::Grey, Colour::AdobeCmyk, Colour::PlainCmyk, Colour::Ycck})
        for (bool progressive : {false, true})
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
    writeFile(dir / "seed-tables.jpg", makeTablesOnly());
    return 0;
}
