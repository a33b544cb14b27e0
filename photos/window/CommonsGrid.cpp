// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonsGrid.h"

#include "ForeignText.h"

#include <QPainter>
#include <QTextDocument>

namespace tarvelo {

namespace {
// Half the width Commons scales its grid thumbnails to: five abreast fit a
// school laptop's screen, and a calf is still told from a cow.
const QSize thumbnailSize(165, 124);

// Commons' names and authors are long; an item shows the start of each.
constexpr TextBounds itemBounds{.characters = 28, .lines = 1};

QIcon blankIcon() {
    QPixmap blank(thumbnailSize);
    blank.fill(QColor(230, 230, 230));
    return QIcon(blank);
}

// The thumbnail in the middle of an icon-sized field, never scaled up.
QIcon iconOf(const QImage& image) {
    QPixmap field(thumbnailSize);
    field.fill(Qt::white);
    const QImage scaled =
        image.size().boundedTo(thumbnailSize) == image.size()
            ? image
            : image.scaled(thumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&field);
    painter.drawImage((thumbnailSize.width() - scaled.width()) / 2,
                      (thumbnailSize.height() - scaled.height()) / 2, scaled);
    return QIcon(field);
}

QString itemText(const CommonsCandidate& candidate) {
    return plainText(candidate.credit.author, itemBounds) + QLatin1Char('\n') +
           plainText(candidate.credit.licence, itemBounds);
}

QString itemDetails(const CommonsCandidate& candidate) {
    return plainText(candidate.title, quotedNameBounds) + QLatin1Char('\n') +
           QStringLiteral("Autor: ") + plainText(candidate.credit.author, quotedNameBounds) +
           QLatin1Char('\n') + QStringLiteral("Licence: ") +
           plainText(candidate.credit.licence, quotedNameBounds);
}

// The tooltip: rich text made from the plain text, so that a title or an
// author with markup in it shows as written, never as markup.
QString detailsTip(const CommonsCandidate& candidate,
                   const std::optional<QString>& problem = std::nullopt) {
    QString text = itemDetails(candidate);
    if (problem) {
        text += QLatin1Char('\n') + *problem;
    }
    return Qt::convertFromPlainText(text);
}
} // namespace

CommonsGrid::CommonsGrid(QWidget* parent) : QListWidget(parent) {
    setViewMode(QListView::IconMode);
    setIconSize(thumbnailSize);
    setGridSize(cellSize());
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setWordWrap(true);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAccessibleName(QStringLiteral("Nalezené fotografie"));
    // Three abreast at the least, so the dialog fits a school laptop at any
    // scale; it opens with five abreast and two rows where the screen has room.
    setMinimumSize(3 * cellSize().width() + 30, cellSize().height());
}

QSize CommonsGrid::cellSize() {
    return thumbnailSize + QSize(24, 56);
}

void CommonsGrid::showCandidates(std::vector<CommonsCandidate> candidates) {
    shown_ = std::move(candidates);
    const QIcon blank = blankIcon();
    for (const CommonsCandidate& candidate : shown_) {
        auto* item = new QListWidgetItem(blank, itemText(candidate), this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setToolTip(detailsTip(candidate));
        // A screen reader says the two lines as one.
        item->setData(Qt::AccessibleTextRole,
                      itemText(candidate).replace(QLatin1Char('\n'), QStringLiteral(", ")));
    }
}

void CommonsGrid::clearCandidates() {
    clear();
    shown_.clear();
}

void CommonsGrid::showThumbnail(std::size_t n, const QImage& image,
                                const std::optional<QString>& problem) {
    QListWidgetItem* shown = item(static_cast<int>(n));
    if (shown == nullptr || n >= shown_.size()) {
        return;
    }
    if (problem || image.isNull()) {
        shown->setToolTip(detailsTip(shown_.at(n), problem));
    } else {
        shown->setIcon(iconOf(image));
    }
}

std::vector<CommonsCandidate> CommonsGrid::chosen() const {
    std::vector<CommonsCandidate> ticked;
    for (int n = 0; n < count(); ++n) {
        if (item(n)->checkState() == Qt::Checked && static_cast<std::size_t>(n) < shown_.size()) {
            ticked.push_back(shown_.at(static_cast<std::size_t>(n)));
        }
    }
    return ticked;
}

void CommonsGrid::choose(int n, bool chosen) {
    if (QListWidgetItem* shown = item(n)) {
        shown->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
}

void CommonsGrid::unchooseAll() {
    for (int n = 0; n < count(); ++n) {
        item(n)->setCheckState(Qt::Unchecked);
    }
}

} // namespace tarvelo
