// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a shared set to look at: the unpacking, which may take seconds
// for a full set, shows its progress in a box that can stop it.
#include "SharedSetOpening.h"

#include "PhotosApplication.h"
#include "SharedSetCopy.h"
#include "SharedSetWindow.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QTimer>
#include <memory>

namespace tarvelo {

OpenedSharedSet openSharedSetFile(const QString& file, const QString& drawingsDir, bool offerForAll,
                                  QWidget* parent) {
    QProgressDialog box(QStringLiteral("Otevírám sdílenou sadu…"), QStringLiteral("Zrušit"), 0, 0,
                        parent);
    box.setWindowTitle(photosTitle());
    box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    box.setMinimumDuration(400); // a small set opens without a box flashing up
    box.setAutoReset(false);
    box.setAutoClose(false);
    // Between photographs the window's events are handled: the box is drawn
    // and "Zrušit" (or Escape) is seen.
    SharedSetCopy copy = unpackSharedSetCopy(file, drawingsDir, [&box](int done, int total) {
        box.setMaximum(total);
        box.setValue(done);
        box.setLabelText(QStringLiteral("Otevírám sdílenou sadu… %1 z %2").arg(done).arg(total));
        QCoreApplication::processEvents();
        return !box.wasCanceled();
    });
    box.reset();
    if (!copy.unpacked.info) {
        return {.window = nullptr, .problem = copy.unpacked.message};
    }
    return {.window =
                std::make_unique<SharedSetWindow>(file, *copy.unpacked.info, std::move(copy.folder),
                                                  std::move(copy.set), offerForAll),
            .problem = {}};
}

SharedSetOpener::SharedSetOpener(QObject* parent) : QObject(parent) {}

SharedSetOpener::~SharedSetOpener() = default;

SharedSetOpener::Opened SharedSetOpener::open(const QString& file, const QString& drawingsDir,
                                              bool offerForAll, QWidget* parent) {
    OpenedSharedSet opened = openSharedSetFile(file, drawingsDir, offerForAll, parent);
    if (!opened.window) {
        return {.window = nullptr, .shownName = {}, .problem = opened.problem};
    }
    SharedSetWindow* shared = opened.window.get();
    windows_.push_back(std::move(opened.window));
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
    return {.window = shared, .shownName = shared->shownName(), .problem = {}};
}

void SharedSetOpener::close(QWidget* window) {
    for (const auto& shared : windows_) {
        if (shared.get() == window) {
            shared->close();
        }
    }
}

} // namespace tarvelo
