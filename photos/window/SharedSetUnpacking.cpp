// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Unpacking a shared set, which may take seconds for a full set, on a worker
// thread. The window's thread stays free for the box, "Zrušit" and whatever
// else the teacher does; it never waits on the worker except when this
// goes, for the photograph under way.
#include "SharedSetUnpacking.h"

#include "PhotosApplication.h"

#include <QDir>
#include <QProgressDialog>
#include <QThread>
#include <exception>
#include <new>

namespace tarvelo {

SharedSetUnpacking::SharedSetUnpacking(const QString& file, const QString& drawingsDir,
                                       QWidget* boxParent, QObject* parent)
    : QObject(parent), file_(file), copy_(makeSharedSetCopy(drawingsDir)),
      box_(new QProgressDialog(QStringLiteral("Otevírám sdílenou sadu…"), QStringLiteral("Zrušit"),
                               0, 0, boxParent)) {
    box_->setWindowTitle(photosTitle());
    box_->setWindowModality(boxParent ? Qt::WindowModal : Qt::ApplicationModal);
    box_->setMinimumDuration(400); // a small set opens without a box flashing up
    box_->setAutoReset(false);
    box_->setAutoClose(false);
    // The button, Escape and closing the box; cancel() called on the box
    // itself is seen at the next photograph.
    connect(box_, &QProgressDialog::canceled, this, &SharedSetUnpacking::cancel);
    connect(box_, &QDialog::rejected, this, &SharedSetUnpacking::cancel);
    worker_.reset(QThread::create([this] { work(); }));
    // Queued: the worker emits it on its own way out.
    connect(worker_.get(), &QThread::finished, this, &SharedSetUnpacking::workerEnded);
    worker_->start();
}

SharedSetUnpacking::~SharedSetUnpacking() {
    cancelled_ = true;
    worker_->wait();
    delete box_.data(); // gone already when its window went first
}

void SharedSetUnpacking::cancel() {
    cancelled_ = true;
    closeBox();
}

void SharedSetUnpacking::closeBox() {
    if (box_) {
        box_->reset(); // nor shown later by its own timer
        box_->hide();
    }
}

SharedSetCopy SharedSetUnpacking::takeCopy() {
    return std::move(copy_);
}

void SharedSetUnpacking::work() {
    // Nothing may leave the thread: that would end the program.
    try {
        unpackInto(copy_, file_, [this](int done, int total) {
            QMetaObject::invokeMethod(
                this, [this, done, total] { showProgress(done, total); }, Qt::QueuedConnection);
            return !cancelled_;
        });
    } catch (const std::bad_alloc&) {
        copy_.unpacked = {};
        copy_.unpacked.message =
            QStringLiteral("Soubor „%1“ nelze otevřít jako sdílenou sadu: nedostatek paměti.")
                .arg(QDir::toNativeSeparators(file_));
    }
}

void SharedSetUnpacking::showProgress(int done, int total) {
    if (!box_ || ended_) {
        return;
    }
    if (box_->wasCanceled()) {
        cancel();
        return;
    }
    box_->setMaximum(total);
    box_->setValue(done);
    box_->setLabelText(QStringLiteral("Otevírám sdílenou sadu… %1 z %2").arg(done).arg(total));
}

void SharedSetUnpacking::workerEnded() {
    worker_->wait(); // past its last step already
    ended_ = true;
    // Cancelled, even after its last photograph: what was unpacked is dropped.
    if (box_ && box_->wasCanceled()) {
        cancelled_ = true;
    }
    closeBox();
    if (cancelled_) {
        copy_.unpacked = {};
        copy_.unpacked.cancelled = true;
    }
    emit finished();
}

} // namespace tarvelo
