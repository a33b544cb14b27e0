// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoRow.h"
#include "PhotoSet.h"

#include <QStringList>
#include <QWidget>
#include <vector>

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QScrollArea;
class QStackedLayout;

namespace tarvelo {

class PictureBox;
class ThumbnailLoader;

// A set as the quiz will play it: one row per breed in the catalogue's
// order, the selected photograph drawn by the quiz's own picture box, and a
// status line. The arrow keys walk the rows, keeping their column. The rows'
// thumbnails are decoded off the window's thread and filled in as they
// come; the view changes nothing in the set. Under the preview, who took the
// photograph and its licence; below it "Zdroje fotografií", the credits of
// the whole set.
class SetView : public QWidget {
    Q_OBJECT

public:
    explicit SetView(RowEditing editing, QWidget* parent = nullptr);
    ~SetView() override;

    // Shows set, its first row selected.
    void showSet(const PhotoSet& set);
    const PhotoSet& photoSet() const { return set_; }
    // Reads row index from the set again, after it changed.
    void refreshRow(int index);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    PhotoRow* row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    PictureBox* preview() const { return preview_; }
    QLabel* previewProblem() const { return previewProblem_; }
    QLabel* statusLabel() const { return status_; }
    // The previewed photograph's credit: one line of rich text, empty for a
    // drawing and a photograph without one.
    QLabel* creditLabel() const { return credit_; }
    QPushButton* sourcesButton() const { return sources_; }
    // Puts a window's own button under the preview, before "Zdroje
    // fotografií", in the order of the keyboard too.
    void addPreviewButton(QPushButton* button);
    QScrollArea* rowsArea() const { return scroll_; }
    // The last of the rows' stops for Tab.
    QWidget* lastTabStop() const { return lastTabStop_; }

    int selectedIndex() const { return selected_; }
    // The selected row's picture that is previewed (0 is the first).
    int selectedPicture() const { return selectedPicture_; }
    void select(int index);
    void selectPicture(int index, int picture);
    // The previewed file, and whether it is a photograph (not a drawing).
    QString selectedPath() const;
    bool photographSelected() const;
    // Reads the previewed photograph's credit again, after it changed.
    void refreshCredit();
    // "Zdroje fotografií": the set's credits in a dialog of their own.
    void showSources();

    bool thumbnailsPending() const;
    // Drops the thumbnails still to come, as the window closes; shown
    // again, the view decodes them anew.
    void stopThumbnails();

    // No thumbnail file is open between the two: see ThumbnailPause.
    void pauseThumbnails();
    void resumeThumbnails();

    // Wide enough for a row of ten photographs, and tall enough for the
    // preview and two rows and a half, so that it is seen that they scroll.
    QSize sizeHint() const override;

signals:
    // Every thumbnail asked for is filled in.
    void thumbnailsReady();
    // Another picture is previewed, or the set changed under it.
    void previewChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGridLayout* makeTop();
    QGroupBox* makePreview();
    QScrollArea* makeRows(RowEditing editing);
    void showPreview();
    void step(int index, int step);

    PhotoSet set_;
    std::vector<PhotoRow*> rows_;
    // The files each row shows, in its order.
    std::vector<QStringList> shown_;
    QWidget* list_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QWidget* lastTabStop_ = nullptr;
    QGroupBox* previewGroup_ = nullptr;
    QStackedLayout* previewStack_ = nullptr;
    PictureBox* preview_ = nullptr;
    QLabel* previewProblem_ = nullptr;
    QLabel* credit_ = nullptr;
    QGridLayout* top_ = nullptr;
    QHBoxLayout* previewButtons_ = nullptr;
    QPushButton* sources_ = nullptr;
    QLabel* status_ = nullptr;
    ThumbnailLoader* loader_ = nullptr;
    int selected_ = -1;
    int selectedPicture_ = 0;
};

// While it lives, the view opens none of the set's files, so they may be
// renamed or removed: Windows refuses that for a file that is open.
class ThumbnailPause {
public:
    explicit ThumbnailPause(SetView& view) : view_(view) { view_.pauseThumbnails(); }
    ~ThumbnailPause() { view_.resumeThumbnails(); }
    ThumbnailPause(const ThumbnailPause&) = delete;
    ThumbnailPause& operator=(const ThumbnailPause&) = delete;

private:
    SetView& view_;
};

} // namespace tarvelo
