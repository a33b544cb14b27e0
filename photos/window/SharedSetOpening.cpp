// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a shared set to look at: the unpacking, which may take seconds
// for a full set, runs on a worker thread while a progress box can stop it.
#include "PhotosApplication.h"
#include "SharedSetWindow.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>

namespace tarvelo {

namespace {

// What the worker hands over to the interface thread.
struct Unpacked {
    std::unique_ptr<TemporaryFolder> folder;
    UnpackedSharedSet result;
    QString problem;
};

// How far the worker has come, read by the interface thread; cancelled the
// other way.
struct Progress {
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::atomic<bool> cancelled{false};
};

Unpacked unpackToFolder(const QString& file, const QString& drawingsDir, Progress& progress) {
    Unpacked unpacked;
    QString problem;
    std::optional<TemporaryFolder> folder = makeTemporaryFolder(&problem);
    if (!folder) {
        unpacked.problem = problem;
        return unpacked;
    }
    unpacked.folder = std::make_unique<TemporaryFolder>(std::move(*folder));
    PhotoSet target(unpacked.folder->path(), drawingsDir);
    unpacked.result = unpackSharedSet(file, target, [&progress](int done, int total) {
        progress.done = done;
        progress.total = total;
        return !progress.cancelled;
    });
    return unpacked;
}

} // namespace

OpenedSharedSet openSharedSetFile(const QString& file, const QString& drawingsDir, bool offerForAll,
                                  QWidget* parent) {
    Progress progress;
    Unpacked unpacked;
    const std::unique_ptr<QThread> worker(
        QThread::create([&] { unpacked = unpackToFolder(file, drawingsDir, progress); }));
    QProgressDialog box(QStringLiteral("Otevírám sdílenou sadu…"), QStringLiteral("Zrušit"), 0, 0,
                        parent);
    box.setWindowTitle(photosTitle());
    box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    box.setMinimumDuration(400); // a small set opens without a box flashing up
    box.setAutoReset(false);
    box.setAutoClose(false);
    QObject::connect(&box, &QProgressDialog::canceled, &box,
                     [&progress] { progress.cancelled = true; });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &box, [&] {
        // Escape and cancel() stop it too, without the button's signal.
        if (box.wasCanceled()) {
            progress.cancelled = true;
        }
        if (progress.total > 0) {
            box.setMaximum(progress.total);
            box.setValue(progress.done);
            box.setLabelText(QStringLiteral("Otevírám sdílenou sadu… %1 z %2")
                                 .arg(progress.done.load())
                                 .arg(progress.total.load()));
        }
    });
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    poll.start(50);
    worker->start();
    loop.exec();
    worker->wait();
    poll.stop();
    box.reset();

    if (!unpacked.problem.isEmpty()) {
        return {.window = nullptr, .problem = unpacked.problem};
    }
    if (!unpacked.result.info) {
        return {.window = nullptr, .problem = unpacked.result.message};
    }
    PhotoSet set(unpacked.folder->path(), drawingsDir);
    return {.window = std::make_unique<SharedSetWindow>(file, *unpacked.result.info,
                                                        std::move(unpacked.folder), std::move(set),
                                                        offerForAll),
            .problem = {}};
}

} // namespace tarvelo
