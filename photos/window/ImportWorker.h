// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"

#include <QObject>
#include <QStringList>
#include <QThread>
#include <memory>
#include <vector>

namespace tarvelo {

// Adds photographs to a breed of a set one after another on a thread of its
// own, since large ones take a while to read; one import at a time. Its
// signals come on the thread that made it.
class ImportWorker : public QObject {
    Q_OBJECT

public:
    explicit ImportWorker(QObject* parent = nullptr);
    // An import writes into the set: it is let finish, never cut off.
    ~ImportWorker() override;

    bool running() const { return thread_ != nullptr; }
    // Lets the running import end, if there is one; finished is not sent.
    void wait();
    // Starts adding files to breed index of set, unless an import runs.
    void start(PhotoSet set, int index, const QStringList& files);

signals:
    // File number (1 is the first) of count is being added; the first is
    // not told, its start being the start of the import.
    void progress(int number, int count);
    // Every file was tried: results in the files' order.
    void finished(int index, const QStringList& files,
                  const std::vector<tarvelo::ImportResult>& results);

private:
    void ended(int index, const QStringList& files);

    std::unique_ptr<QThread> thread_;
    std::vector<ImportResult> results_;
};

} // namespace tarvelo
