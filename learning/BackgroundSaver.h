// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LearningMemory.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace tarvelo {

// Saves an account's memory on a thread of its own, so that the pupil sees
// the feedback to an answer without waiting for the disk (a flush to the
// disk can take a tenth of a second on a busy school computer). Memories
// handed over while one is being written replace each other: only the
// newest is written next. A kill loses at most the answers not yet on disk,
// which at a pupil's pace is the last one.
class BackgroundSaver {
public:
    // Writes one memory; nullopt on success, else the reason in Czech
    // (LearningStore::save).
    using Write = std::function<std::optional<std::string>(const LearningMemory&)>;

    explicit BackgroundSaver(Write write);
    // Writes what is still waiting, then stops.
    ~BackgroundSaver();
    BackgroundSaver(const BackgroundSaver&) = delete;
    BackgroundSaver& operator=(const BackgroundSaver&) = delete;

    // Hands the memory over and returns at once: nullopt, or the reason an
    // earlier write failed, once. Fits Practice::SaveMemory.
    std::optional<std::string> save(const LearningMemory& memory);
    // Waits until everything handed over is written; the failure, if any, once.
    std::optional<std::string> flush();

private:
    void run();

    Write write_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<LearningMemory> waiting_;
    bool writing_ = false;
    bool stopping_ = false;
    std::optional<std::string> failure_;
    std::thread worker_; // last: started once the rest exists
};

} // namespace tarvelo
