// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoStrip.h"

#include "CzechCounts.h"
#include "Fonts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tarvelo {

namespace {
// Ten photographs side by side still fit a school laptop's screen.
constexpr int thumbnailWidth = 80;
constexpr int thumbnailHeight = 45;
constexpr int thumbnailFrame = 2;
constexpr int cellSpacing = 3;

const QColor previewedFrame(Qt::white);
} // namespace

QHBoxLayout* PhotoStrip::build(QWidget* row, bool removable) {
    auto* cells = new QHBoxLayout;
    cells->setSpacing(cellSpacing);
    for (Cell& cell : cells_) {
        makeCell(cell, row, removable, cells);
    }
    return cells;
}

void PhotoStrip::makeCell(Cell& cell, QWidget* row, bool removable, QHBoxLayout* cells) {
    cell.picture = new QLabel(row);
    cell.picture->setFrameShape(QFrame::Box);
    cell.picture->setLineWidth(thumbnailFrame);
    cell.picture->setFixedSize(thumbnailWidth + 2 * thumbnailFrame,
                               thumbnailHeight + 2 * thumbnailFrame);
    cell.picture->setAlignment(Qt::AlignCenter);
    setColours(cell.picture, Qt::white, Qt::black);
    cell.picture->installEventFilter(row);
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    column->addWidget(cell.picture);
    if (removable) {
        cell.remove = new QPushButton(QStringLiteral("Odebrat"), row);
        cell.remove->setFont(fontB());
        cell.remove->setFixedWidth(cell.picture->width());
        cell.remove->installEventFilter(row);
        column->addWidget(cell.remove);
    }
    column->addStretch(1);
    cells->addLayout(column);
}

void PhotoStrip::showPictures(int count, bool drawing) {
    drawing_ = drawing;
    count = std::clamp(count, 1, maxThumbnails);
    problems_.assign(static_cast<std::size_t>(count), std::nullopt);
    for (int n = 0; n < maxThumbnails; ++n) {
        Cell& cell = cells_.at(static_cast<std::size_t>(n));
        const bool shown = n < count;
        cell.picture->setVisible(shown);
        // The drawing is nothing to remove, nor a stop for Tab.
        if (cell.remove != nullptr) {
            cell.remove->setVisible(shown && !drawing);
        }
        cell.picture->setFocusPolicy(shown && !drawing ? Qt::StrongFocus : Qt::NoFocus);
        cell.picture->setPixmap({});
        cell.picture->setText({});
        cell.filled = !shown;
    }
}

bool PhotoStrip::fillPicture(int n, const RowPicture& picture) {
    if (n < 0 || n >= shownCount()) {
        return false;
    }
    Cell& cell = cells_.at(static_cast<std::size_t>(n));
    cell.filled = true;
    problems_.at(static_cast<std::size_t>(n)) = picture.problem;
    if (picture.thumbnail.isNull()) {
        cell.picture->setPixmap({});
        cell.picture->setText(QStringLiteral("?"));
    } else {
        cell.picture->setText({});
        cell.picture->setPixmap(QPixmap::fromImage(picture.thumbnail));
    }
    return true;
}

bool PhotoStrip::thumbnailsPending() const {
    return std::ranges::any_of(cells_, [](const Cell& cell) { return !cell.filled; });
}

std::optional<QString> PhotoStrip::problem() const {
    for (std::size_t n = 0; n < problems_.size(); ++n) {
        if (problems_[n]) {
            // Which one, when there are several to choose from.
            return problems_.size() > 1 ? QStringLiteral("Fotografie %1: %2")
                                              .arg(ofCount(static_cast<int>(n) + 1,
                                                           static_cast<int>(problems_.size())),
                                                   *problems_[n])
                                        : *problems_[n];
        }
    }
    return std::nullopt;
}

QStringList PhotoStrip::problems() const {
    QStringList all;
    for (const auto& problem : problems_) {
        if (problem) {
            all.push_back(*problem);
        }
    }
    return all;
}

void PhotoStrip::markPreviewed(int n) {
    for (int m = 0; m < maxThumbnails; ++m) {
        QLabel* shown = picture(m);
        QPalette palette = shown->palette();
        palette.setColor(QPalette::WindowText, m == n ? previewedFrame : QColor(Qt::black));
        shown->setPalette(palette);
    }
}

void PhotoStrip::describe(const QString& breed) {
    const int count = photoCount();
    for (int n = 0; n < maxThumbnails; ++n) {
        const Cell& cell = cells_.at(static_cast<std::size_t>(n));
        if (drawing_ || n >= count) { // hidden but for the drawing's own
            const bool shown = drawing_ && n == 0;
            cell.picture->setAccessibleName(shown ? QStringLiteral("Náhled: ") + breed : QString());
            cell.picture->setAccessibleDescription(shown ? problems_.front().value_or(QString())
                                                         : QString());
            if (cell.remove != nullptr) {
                cell.remove->setAccessibleName(QString());
            }
            continue;
        }
        const QString which = ofCount(n + 1, count);
        cell.picture->setAccessibleName(QStringLiteral("Fotografie %1: %2").arg(which, breed));
        if (cell.remove != nullptr) {
            cell.remove->setAccessibleName(
                QStringLiteral("Odebrat fotografii %1: %2").arg(which, breed));
        }
        cell.picture->setAccessibleDescription(
            problems_.at(static_cast<std::size_t>(n)).value_or(QString()));
    }
}

int PhotoStrip::cellOf(const QObject* watched) const {
    for (int n = 0; n < maxThumbnails; ++n) {
        const Cell& cell = cells_.at(static_cast<std::size_t>(n));
        if (watched == cell.picture || watched == cell.remove) {
            return n;
        }
    }
    return -1;
}

bool PhotoStrip::isPicture(const QObject* watched) const {
    const int n = cellOf(watched);
    return n >= 0 && watched == picture(n);
}

void PhotoStrip::addTabStops(QList<QWidget*>& stops) const {
    for (const Cell& cell : cells_) {
        stops << cell.picture;
        if (cell.remove != nullptr) {
            stops << cell.remove;
        }
    }
}

int PhotoStrip::fullWidth() {
    const int cell = thumbnailWidth + 2 * thumbnailFrame;
    return maxThumbnails * cell + (maxThumbnails + 1) * cellSpacing;
}

int PhotoStrip::cellHeight() const {
    const QPushButton* remove = cells_.front().remove;
    return thumbnailHeight + 2 * thumbnailFrame +
           (remove != nullptr ? 2 + remove->sizeHint().height() : 0);
}

} // namespace tarvelo
