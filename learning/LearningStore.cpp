// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LearningStore.h"

#include "AtomicFile.h"
#include "LearningText.h"
#include "SystemMessage.h"
#include "Utf8Path.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace tarvelo {

namespace fs = std::filesystem;

namespace {

constexpr int maxSetAsideTries = 100;

// The file's bytes, at most maxLearningTextBytes + 1 of them: enough to tell
// an oversized file without reading it whole. nullopt when it cannot be read.
std::optional<std::string> readBounded(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes(maxLearningTextBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

bool nothingAt(const fs::path& path) {
    std::error_code error;
    return !fs::exists(fs::symlink_status(path, error));
}

// Renames the file (or link, or folder) at path aside, never over anything.
std::optional<fs::path> setAside(const fs::path& path, const std::string& stamp) {
    const std::string base = utf8FromPath(path) + ".damaged-" + stamp;
    for (int attempt = 1; attempt <= maxSetAsideTries; ++attempt) {
        const fs::path aside =
            pathFromUtf8(attempt == 1 ? base : base + "-" + std::to_string(attempt));
        if (!nothingAt(aside)) {
            continue;
        }
        std::error_code error;
        fs::rename(path, aside, error);
        if (!error) {
            return aside;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::string fileName(const fs::path& path) {
    return utf8FromPath(path.filename());
}

std::string reasonOf(const WriteError& error) {
    if (error.link) {
        return "v cestě je odkaz, který vede jinam.";
    }
    if (error.diskFull()) {
        return "na disku není místo.";
    }
    if (error.accessDenied()) {
        return "do složky nelze zapisovat.";
    }
    return "chyba při zápisu (" + systemErrorText(error.code) + ").";
}

} // namespace

LoadedLearning loadLearning(const std::string& path, const std::function<std::string()>& stamp) {
    const fs::path file = pathFromUtf8(path);
    std::error_code error;
    const fs::file_status status = fs::symlink_status(file, error);
    if (!fs::exists(status)) {
        return {};
    }
    if (fs::is_regular_file(status)) {
        if (const auto bytes = readBounded(file)) {
            ParsedLearning parsed = parseLearningText(*bytes);
            if (parsed.memory) {
                return LoadedLearning{*parsed.memory, {}, {}};
            }
        }
    }
    // Damaged, foreign, oversized, unreadable, or not a file at all: kept for
    // whoever wants to look at it, and practice starts afresh.
    LoadedLearning fresh;
    if (const auto aside = setAside(file, stamp())) {
        fresh.setAsidePath = utf8FromPath(*aside);
        fresh.notice = "Paměť procvičování (" + fileName(file) +
                       ") nešla přečíst, je odložena jako " + fileName(*aside) +
                       " a procvičování začíná znovu.";
    } else {
        fresh.notice = "Paměť procvičování (" + fileName(file) +
                       ") nešla přečíst ani odložit, procvičování začíná znovu a tentokrát "
                       "se neukládá.";
    }
    return fresh;
}

std::optional<std::string> saveLearning(const std::string& path, const LearningMemory& memory) {
    const fs::path file = pathFromUtf8(path);
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error) {
        return "složku " + utf8FromPath(file.parent_path()) + " nelze vytvořit.";
    }
    const std::string text = learningText(memory);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (const auto failure = writeFileAtomically(path, {bytes, text.size()})) {
        return reasonOf(*failure);
    }
    return std::nullopt;
}

LearningStore::LearningStore(std::string path, const std::function<std::string()>& stamp)
    : path_(std::move(path)) {
    if (path_.empty()) {
        loaded_.notice = "Systém neudává složku pro data, postup procvičování se tentokrát "
                         "neukládá.";
        return;
    }
    loaded_ = loadLearning(path_, stamp);
    // A file that could be neither read nor set aside is not written over.
    keepOnlyInMemory_ = !loaded_.notice.empty() && loaded_.setAsidePath.empty();
}

std::string LearningStore::takeNotice() {
    return std::exchange(loaded_.notice, std::string{});
}

std::optional<std::string> LearningStore::save(const LearningMemory& memory) {
    loaded_.memory = memory;
    if (path_.empty() || keepOnlyInMemory_) {
        return std::nullopt; // said once already, at the load
    }
    return saveLearning(path_, memory);
}

} // namespace tarvelo
