// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LearningMemory.h"

#include <functional>
#include <optional>
#include <string>

namespace tarvelo {

// What the file at a path held, read within LearningText's size bound.
struct LoadedLearning {
    LearningMemory memory; // fresh when the file was missing or set aside
    // When the file was missing, damaged, foreign or oversized: empty when it
    // read soundly or was missing; else one Czech sentence for the window to
    // say once.
    std::string notice;
    // Where a file that could not be read was set aside (UTF-8); empty when none was.
    std::string setAsidePath;
};

// Reads the memory at path (UTF-8). A missing file gives a fresh memory and
// no notice. A damaged, foreign or oversized one (or a folder in its place)
// is renamed aside as "<path>.damaged-YYYYMMDD-HHMMSS" (a number added when
// that is taken), never deleted, and a fresh memory comes with the notice.
// `stamp` gives the time part (LocalClock's localTimeStamp in the program).
LoadedLearning loadLearning(const std::string& path, const std::function<std::string()>& stamp);

// Writes the memory to path (UTF-8) all or nothing through the atomic writer,
// making its folder when missing. nullopt on success, else the reason in
// Czech; whatever was at path then stays as it was.
std::optional<std::string> saveLearning(const std::string& path, const LearningMemory& memory);

// One account's memory file: loaded once, saved after every answer. The
// program makes one with learningFilePath(); tests give a folder of their own.
class LearningStore {
public:
    // Loads at once. An empty path (the system named no data folder) keeps
    // the memory for this run only, and says so once.
    LearningStore(std::string path, const std::function<std::string()>& stamp);

    const LearningMemory& memory() const { return loaded_.memory; }
    const std::string& path() const { return path_; }
    // The notice of the load, once: the first call returns it, later ones "".
    std::string takeNotice();
    // Saves; nullopt on success, else the reason in Czech. Fits
    // Practice::SaveMemory.
    std::optional<std::string> save(const LearningMemory& memory);

private:
    std::string path_;
    LoadedLearning loaded_;
    bool keepOnlyInMemory_ = false;
};

} // namespace tarvelo
