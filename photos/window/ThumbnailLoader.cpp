// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThumbnailLoader.h"

#include <algorithm>
#include <optional>

namespace tarvelo {

ThumbnailLoader::ThumbnailLoader(QObject* parent) : QObject(parent) {}

ThumbnailLoader::~ThumbnailLoader() {
    {
        const std::lock_guard lock(mutex_);
        queue_.clear();
    }
    if (thread_) {
        thread_->requestInterruption();
        thread_->wait();
    }
    // What the worker posted here goes with this object, undelivered.
}

void ThumbnailLoader::load(int row, const PhotoSet& set, const QStringList& paths, QSize box,
                           qreal ratio) {
    const auto slot = static_cast<std::size_t>(row);
    if (slot >= versions_.size()) {
        versions_.resize(slot + 1, 0);
        waiting_.resize(slot + 1, 0);
    }
    const quint64 version = ++lastVersion_;
    versions_[slot] = version;
    outstanding_ += static_cast<int>(paths.size()) - waiting_[slot];
    waiting_[slot] = static_cast<int>(paths.size());
    bool start = false;
    {
        const std::lock_guard lock(mutex_);
        std::erase_if(queue_, [row](const Job& job) { return job.row == row; });
        for (int n = 0; n < paths.size(); ++n) {
            queue_.push_back({.row = row,
                              .picture = n,
                              .version = version,
                              .set = set,
                              .path = paths.at(n),
                              .box = box,
                              .ratio = ratio});
        }
        start = !working_ && paused_ == 0 && !queue_.empty();
        working_ = working_ || start;
    }
    if (start) {
        startWorker();
    }
}

void ThumbnailLoader::clear() {
    std::fill(versions_.begin(), versions_.end(), 0);
    std::fill(waiting_.begin(), waiting_.end(), 0);
    outstanding_ = 0;
    const std::lock_guard lock(mutex_);
    queue_.clear();
}

void ThumbnailLoader::stop() {
    clear();
    waitForWorker();
}

void ThumbnailLoader::pause() {
    {
        const std::lock_guard lock(mutex_);
        ++paused_;
    }
    waitForWorker();
}

void ThumbnailLoader::resume() {
    bool start = false;
    {
        const std::lock_guard lock(mutex_);
        paused_ = std::max(paused_ - 1, 0);
        start = !working_ && paused_ == 0 && !queue_.empty();
        working_ = working_ || start;
    }
    if (start) {
        startWorker();
    }
}

void ThumbnailLoader::waitForWorker() {
    if (thread_) {
        thread_->wait();
    }
}

void ThumbnailLoader::startWorker() {
    waitForWorker(); // the last one found nothing more to do and is ending
    thread_.reset(QThread::create([this] { work(); }));
    thread_->start(QThread::LowPriority); // the window's own work comes first
}

void ThumbnailLoader::work() {
    for (;;) {
        std::optional<Job> job;
        {
            const std::lock_guard lock(mutex_);
            if (queue_.empty() || paused_ > 0 ||
                QThread::currentThread()->isInterruptionRequested()) {
                working_ = false;
                return;
            }
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        RowPicture decoded = rowPictureOf(job->set, job->path, job->box);
        decoded.thumbnail.setDevicePixelRatio(job->ratio);
        QMetaObject::invokeMethod(
            this, [this, done = std::move(*job), decoded] { deliver(done, decoded); },
            Qt::QueuedConnection);
    }
}

void ThumbnailLoader::deliver(const Job& job, RowPicture decoded) {
    const auto slot = static_cast<std::size_t>(job.row);
    if (job.version == 0 || slot >= versions_.size() || versions_[slot] != job.version) {
        return; // asked for again since, or cleared
    }
    --waiting_[slot];
    --outstanding_;
    emit pictureReady(job.row, job.picture, decoded);
    if (outstanding_ == 0) {
        emit allReady();
    }
}

} // namespace tarvelo
