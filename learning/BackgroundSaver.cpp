// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BackgroundSaver.h"

#include <exception>
#include <utility>

namespace tarvelo {

BackgroundSaver::BackgroundSaver(Write write)
    : write_(std::move(write)), worker_([this] { run(); }) {}

BackgroundSaver::~BackgroundSaver() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

std::optional<std::string> BackgroundSaver::save(const LearningMemory& memory) {
    std::optional<std::string> failure;
    {
        const std::lock_guard lock(mutex_);
        waiting_ = memory;
        failure = std::exchange(failure_, std::nullopt);
    }
    changed_.notify_all();
    return failure;
}

std::optional<std::string> BackgroundSaver::flush() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !waiting_ && !writing_; });
    return std::exchange(failure_, std::nullopt);
}

// Stops only with nothing left waiting, so the last answer reaches the disk
// when the program ends normally.
void BackgroundSaver::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return waiting_ || stopping_; });
        if (!waiting_) {
            return;
        }
        const LearningMemory memory = std::move(*waiting_);
        waiting_.reset();
        writing_ = true;
        lock.unlock();
        std::optional<std::string> failure;
        try {
            failure = write_(memory);
        } catch (const std::exception&) {
            failure = "chyba při zápisu.";
        }
        lock.lock();
        writing_ = false;
        if (failure) {
            failure_ = std::move(failure);
        }
        changed_.notify_all();
    }
}

} // namespace tarvelo
