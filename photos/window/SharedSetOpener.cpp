// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedSetOpener.h"

#include "SharedSetUnpacking.h"
#include "SharedSetWindow.h"

#include <QTimer>
#include <memory>

namespace tarvelo {

SharedSetOpener::SharedSetOpener(QObject* parent) : QObject(parent) {}

SharedSetOpener::~SharedSetOpener() = default;

void SharedSetOpener::open(const QString& file, const QString& drawingsDir, bool offerForAll,
                           QWidget* parent) {
    if (unpacking_) {
        unpacking_->disconnect(this);
        unpacking_->cancel();
        unpacking_->deleteLater(); // waits for its photograph there, not here
    }
    offerForAll_ = offerForAll;
    unpacking_ = new SharedSetUnpacking(file, drawingsDir, parent, this);
    connect(unpacking_, &SharedSetUnpacking::finished, this, &SharedSetOpener::unpacked);
}

void SharedSetOpener::cancelOpening() {
    if (unpacking_) {
        unpacking_->cancel();
    }
}

void SharedSetOpener::unpacked() {
    SharedSetUnpacking* done = unpacking_;
    unpacking_ = nullptr;
    // It goes once its signal has returned; its copy is ours now, and goes
    // with its folder at the end of this unless a window takes it.
    done->deleteLater();
    SharedSetCopy copy = done->takeCopy();
    if (!copy.unpacked.info) {
        emit openingEnded(nullptr, {}, copy.unpacked.message);
        return;
    }
    windows_.push_back(std::make_unique<SharedSetWindow>(done->file(), *copy.unpacked.info,
                                                         std::move(copy.folder),
                                                         std::move(copy.set), offerForAll_));
    SharedSetWindow* shared = windows_.back().get();
    connect(shared, &SharedSetWindow::useRequested, this, [this, shared](bool forAll) {
        emit useRequested(shared, shared->shownName(), shared->unpacked(), forAll);
    });
    // It goes once the signal has returned, taking its folder with it.
    connect(shared, &SharedSetWindow::done, this, [this, shared] {
        QTimer::singleShot(0, this, [this, shared] {
            std::erase_if(windows_,
                          [shared](const auto& window) { return window.get() == shared; });
        });
    });
    shared->show();
    shared->activateWindow();
    emit openingEnded(shared, shared->shownName(), {});
}

void SharedSetOpener::close(QWidget* window) {
    for (const auto& shared : windows_) {
        if (shared.get() == window) {
            shared->close();
        }
    }
}

} // namespace tarvelo
