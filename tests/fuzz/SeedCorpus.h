// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace tarvelo::fuzz {

// A fuzzer's seed folder: each seed a file named PREFIX-NAME.EXTENSION. A seed
// that cannot be written ends the program, as a corpus with gaps would
// replay as passed.
class SeedCorpus {
public:
    SeedCorpus(std::filesystem::path folder, std::string prefix, std::string extension)
        : folder_(std::move(folder)), prefix_(std::move(prefix)), extension_(std::move(extension)) {
        std::filesystem::create_directories(folder_);
    }
    void add(const std::string& name, const QByteArray& bytes) {
        std::ofstream out(folder_ / (prefix_ + "-" + name + "." + extension_), std::ios::binary);
        out.write(bytes.constData(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write the seed %s\n", name.c_str());
            std::exit(1);
        }
    }

private:
    std::filesystem::path folder_;
    std::string prefix_;
    std::string extension_;
};

} // namespace tarvelo::fuzz
