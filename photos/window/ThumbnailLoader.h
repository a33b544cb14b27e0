// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"
#include "Thumbnail.h"

#include <QObject>
#include <QSize>
#include <QStringList>
#include <QThread>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace tarvelo {

// Decodes the rows' thumbnails one after another on a thread of its own, so
// that a window on a full set shows at once and fills them in as they come.
// A row asked for again drops what was still to come for it; clear() drops
// everything. Its thread ends when there is nothing left to decode, and is
// waited for, the decode under way let finish, when the loader goes.
class ThumbnailLoader : public QObject {
    Q_OBJECT

public:
    explicit ThumbnailLoader(QObject* parent = nullptr);
    ~ThumbnailLoader() override;
    ThumbnailLoader(const ThumbnailLoader&) = delete;
    ThumbnailLoader& operator=(const ThumbnailLoader&) = delete;

    // Row's pictures at paths of set, each into a thumbnail of box device
    // pixels drawn at ratio.
    void load(int row, const PhotoSet& set, const QStringList& paths, QSize box, qreal ratio);
    void clear();
    // The same, and waits for the decode under way to end.
    void stop();
    // Waits for the file being read to be closed, and opens no other until
    // as many resume() calls: Windows refuses to rename or remove a file
    // that is open, and the set's own files are what the rows show.
    void pause();
    void resume();
    bool pending() const { return outstanding_ > 0; }

signals:
    // Picture number picture (0 is the first) of row, as asked for last.
    void pictureReady(int row, int picture, const tarvelo::RowPicture& decoded);
    // Every picture asked for has been delivered.
    void allReady();

private:
    struct Job {
        int row = 0;
        int picture = 0;
        quint64 version = 0;
        PhotoSet set;
        QString path;
        QSize box;
        qreal ratio = 1.0;
    };

    void startWorker();
    void waitForWorker();
    void work(); // on the worker thread
    void deliver(const Job& job, RowPicture decoded);

    // Shared with the worker thread.
    std::mutex mutex_;
    std::deque<Job> queue_;
    bool working_ = false;
    int paused_ = 0;

    // The window's thread only.
    std::unique_ptr<QThread> thread_;
    // What each row asked for last, and how many of those are still to come.
    std::vector<quint64> versions_;
    std::vector<int> waiting_;
    int outstanding_ = 0;
    quint64 lastVersion_ = 0;
};

} // namespace tarvelo
