// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoAdding.h"

#include "BreedPhotos.h"
#include "BusyGuard.h"
#include "CzechCounts.h"
#include "ImportSummary.h"
#include "ImportWorker.h"
#include "PhotoFileDialog.h"
#include "WindowText.h"

#include <QApplication>
#include <QLabel>

namespace tarvelo {

PhotoAdding::PhotoAdding(SetView& view, const BusyGuard& busy, QWidget* window)
    : QObject(window), view_(view), busy_(busy), window_(window), worker_(new ImportWorker(this)) {
    connect(worker_, &ImportWorker::progress, this, [this](int number, int count) {
        view_.statusLabel()->setText(QStringLiteral("Ukládám %1…").arg(ofCount(number, count)));
    });
    connect(worker_, &ImportWorker::finished, this, &PhotoAdding::done);
}

PhotoAdding::~PhotoAdding() = default;

bool PhotoAdding::running() const {
    return worker_->running();
}

void PhotoAdding::ask(int index) {
    if (busy_.busy()) {
        return;
    }
    const PhotoRow* row = view_.row(index);
    if (row->photoCount() >= maxPhotosPerBreed) {
        emit problem(QStringLiteral("Plemeno %1 už má %2, víc jich mít nemůže. "
                                    "Nejdřív některou odeberte.")
                         .arg(row->breed(), photographCount(maxPhotosPerBreed)));
        return;
    }
    const QStringList files = askForPhotos(window_, row->breed());
    if (!files.isEmpty()) {
        add(index, files);
    }
}

void PhotoAdding::add(int index, const QStringList& files) {
    if (busy_.refuses(Waiting::ForPrevious)) {
        return;
    }
    if (files.isEmpty() || index < 0 || index >= view_.rowCount()) {
        return;
    }
    view_.select(index);
    const int count = static_cast<int>(files.size());
    view_.statusLabel()->setText(
        count == 1 ? QStringLiteral("Ukládám fotografii %1 jako %2…")
                         .arg(quotedPath(files.front()), view_.row(index)->breed())
                   : QStringLiteral("Ukládám %1…").arg(ofCount(1, count)));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Large photographs take a while to read; the window keeps painting and
    // the status line counts them.
    pause_.emplace(view_);
    worker_->start(view_.photoSet(), index, files);
}

void PhotoAdding::done(int index, const QStringList& files,
                       const std::vector<ImportResult>& results) {
    pause_.reset();
    QApplication::restoreOverrideCursor();
    view_.refreshRow(index);
    const ImportSummary summary = summarizeImport(view_.row(index)->breed(), files, results);
    // The last one added is previewed.
    view_.selectPicture(index, summary.stored > 0 ? view_.row(index)->photoCount() - 1
                                                  : view_.selectedPicture());
    view_.statusLabel()->setText(summary.status);
    if (!summary.problem.isEmpty()) {
        emit problem(summary.problem);
    }
    emit finished(index, summary.problem.isEmpty());
}

void PhotoAdding::finish() {
    worker_->wait();
    pause_.reset();
}

} // namespace tarvelo
