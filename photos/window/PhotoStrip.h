// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Thumbnail.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

class QHBoxLayout;
class QLabel;
class QObject;
class QPushButton;
class QWidget;

namespace tarvelo {

// The pictures of a breed's row side by side: thumbnails of the photographs
// the quiz will show for it, or of its drawing, each with "Odebrat" under it
// where the row may change them. Its widgets are the row's children and the
// row watches their events, so that keys and clicks on them are the row's.
class PhotoStrip {
public:
    static constexpr int maxThumbnails = 10;

    // Makes maxThumbnails cells, with their buttons when removable, laid out
    // side by side in the layout returned.
    QHBoxLayout* build(QWidget* row, bool removable);

    QLabel* picture(int n) const { return cell(n).picture; }
    // Null in a row only to look at.
    QPushButton* removeButton(int n) const { return cell(n).remove; }

    // Shows count pictures (1 to maxThumbnails), photographs or the one
    // drawing, all blank until filled in and none with a problem yet.
    void showPictures(int count, bool drawing);
    // Picture n's thumbnail, a "?" for a null one, and its problem; false
    // when there is no picture n.
    bool fillPicture(int n, const RowPicture& picture);
    bool thumbnailsPending() const;
    bool isFilled(int n) const { return cell(n).filled; }
    bool holdsDrawing() const { return drawing_; }
    int shownCount() const { return static_cast<int>(problems_.size()); }
    int photoCount() const { return drawing_ ? 0 : shownCount(); }
    // The first problem of its pictures, saying which picture when there
    // are several.
    std::optional<QString> problem() const;
    const std::optional<QString>& problemOf(int n) const {
        return problems_.at(static_cast<std::size_t>(n));
    }
    // Every problem, in the pictures' order.
    QStringList problems() const;

    // Frames picture n as the one previewed; -1 frames none.
    void markPreviewed(int n);
    // What screen readers hear of each picture and its button.
    void describe(const QString& breed);

    // The cell whose picture or button watched is, or -1.
    int cellOf(const QObject* watched) const;
    bool isPicture(const QObject* watched) const;
    void addTabStops(QList<QWidget*>& stops) const;

    // The width of maxThumbnails cells side by side, and the height of one
    // with its button where it has one.
    static int fullWidth();
    int cellHeight() const;

private:
    struct Cell {
        QLabel* picture = nullptr;
        QPushButton* remove = nullptr;
        bool filled = false;
    };

    const Cell& cell(int n) const { return cells_.at(static_cast<std::size_t>(n)); }
    void makeCell(Cell& cell, QWidget* row, bool removable, QHBoxLayout* cells);

    std::array<Cell, maxThumbnails> cells_;
    bool drawing_ = true;
    std::vector<std::optional<QString>> problems_;
};

} // namespace tarvelo
