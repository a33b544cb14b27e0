// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoImport.h"
#include "SetView.h"

#include <QObject>
#include <QStringList>
#include <optional>
#include <vector>

class QWidget;

namespace tarvelo {

class BusyGuard;
class ImportWorker;

// Photographs added to the rows of the set a view shows: asked for in the
// file dialog or dropped, imported off the window's thread while the status
// line counts them, the last one added previewed, and the files that could
// not be taken named at the end.
class PhotoAdding : public QObject {
    Q_OBJECT

public:
    // window owns it and the dialogs it opens.
    PhotoAdding(SetView& view, const BusyGuard& busy, QWidget* window);
    ~PhotoAdding() override;

    bool running() const;
    // "Přidat fotografii…" of breed index: the file dialog, unless the
    // breed is full.
    void ask(int index);
    // Imports files into breed index one after another.
    void add(int index, const QStringList& files);
    // Lets a running import end and the view read the set's files again, as
    // the window goes.
    void finish();

signals:
    void finished(int index, bool ok);
    // A Czech sentence for a box: why nothing was added, or which files not.
    void problem(const QString& text);

private:
    void done(int index, const QStringList& files, const std::vector<ImportResult>& results);

    SetView& view_;
    const BusyGuard& busy_;
    QWidget* window_;
    ImportWorker* worker_;
    // The import may replace a file a row shows.
    std::optional<ThumbnailPause> pause_;
};

} // namespace tarvelo
