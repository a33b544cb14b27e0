// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportWorker.h"

#include "WindowText.h"

#include <new>

namespace tarvelo {

ImportWorker::ImportWorker(QObject* parent) : QObject(parent) {}

ImportWorker::~ImportWorker() {
    wait();
}

void ImportWorker::wait() {
    if (thread_) {
        thread_->wait();
        thread_.reset();
    }
}

void ImportWorker::start(PhotoSet set, int index, const QStringList& files) {
    if (running()) {
        return;
    }
    results_.clear();
    results_.reserve(static_cast<std::size_t>(files.size()));
    // The thread alone touches results_ until it has finished.
    thread_.reset(QThread::create([this, set = std::move(set), index, files]() mutable {
        const int count = static_cast<int>(files.size());
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                QMetaObject::invokeMethod(
                    this, [this, i, count] { emit progress(i + 1, count); }, Qt::QueuedConnection);
            }
            // Nothing may leave the thread: that would end the program.
            try {
                results_.push_back(set.addPhoto(index, files.at(i)));
            } catch (const std::bad_alloc&) {
                ImportResult failed;
                failed.message = QStringLiteral("Fotografii „%1“ nelze přidat: nedostatek paměti.")
                                     .arg(quotedPath(files.at(i)));
                results_.push_back(std::move(failed));
            }
        }
    }));
    QThread* thread = thread_.get();
    connect(thread, &QThread::finished, this, [this, thread, index, files] {
        // Not when that thread was waited for and dropped in the meantime.
        if (thread_.get() == thread) {
            ended(index, files);
        }
    });
    thread_->start();
}

void ImportWorker::ended(int index, const QStringList& files) {
    // finished comes from the thread's last moments: it is let end first.
    thread_->wait();
    thread_.reset();
    const std::vector<ImportResult> results = std::move(results_);
    results_.clear();
    emit finished(index, files, results);
}

} // namespace tarvelo
