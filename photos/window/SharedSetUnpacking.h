// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SharedSetCopy.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <memory>

class QProgressDialog;
class QThread;
class QWidget;

namespace tarvelo {

// One shared set being unpacked into a fresh temporary folder, to be looked
// at, on a thread of its own, while a progress box over boxParent (over
// every window when null) offers "Zrušit" and the windows go on. The worker
// touches no widget and no object of this thread: the folder and its lock
// are made and removed here, and it reports through queued calls to this
// object, which waits for it before it goes.
class SharedSetUnpacking : public QObject {
    Q_OBJECT

public:
    SharedSetUnpacking(const QString& file, const QString& drawingsDir, QWidget* boxParent,
                       QObject* parent = nullptr);
    // Stopped at the next photograph and waited for; its folder goes.
    ~SharedSetUnpacking() override;
    SharedSetUnpacking(const SharedSetUnpacking&) = delete;
    SharedSetUnpacking& operator=(const SharedSetUnpacking&) = delete;

    const QString& file() const { return file_; }
    // Stops it before the next photograph; finished() follows, and what was
    // unpacked so far is never used.
    void cancel();
    bool running() const { return !ended_; }
    // Once finished: the copy with its folder, unpacked whole, refused (its
    // message says why) or cancelled (no message).
    SharedSetCopy takeCopy();

signals:
    void finished();

private:
    void work(); // on the worker thread
    void showProgress(int done, int total);
    void workerEnded();
    void closeBox();

    QString file_;
    // The worker's alone while it runs.
    SharedSetCopy copy_;
    std::atomic<bool> cancelled_{false};
    bool ended_ = false;
    QPointer<QProgressDialog> box_;
    std::unique_ptr<QThread> worker_;
};

} // namespace tarvelo
