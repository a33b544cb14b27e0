// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoRow.h"

#include "CzechCounts.h"
#include "Fonts.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace tarvelo {

namespace {
// Ten photographs side by side still fit a school laptop's screen.
constexpr int thumbnailWidth = 80;
constexpr int thumbnailHeight = 45;
constexpr int thumbnailFrame = 2;
constexpr int textWidth = 160;
constexpr int cellSpacing = 3;

const QColor problemColour(255, 200, 0);
const QColor selectedFrame(Qt::white);
const QColor plainFrame(80, 80, 80);

// Like the start window's buttons: the system's button-text colour, which
// stays legible on the classic face and greys out clearly when disabled.
QPushButton* makeButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setFont(fontA());
    return button;
}

QString addText() {
    return QStringLiteral("Přidat fotografii…");
}

// On two lines in the smaller font, under "Přidat fotografii…": a row of
// ten photographs still fits a school laptop's screen.
QString commonsText() {
    return QStringLiteral("Najít na Wikimedia\nCommons…");
}

void setFrameColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}
} // namespace

QStringList droppedFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.push_back(url.toLocalFile());
        }
    }
    return files;
}

PhotoRow::PhotoRow(int index, const QString& breed, RowEditing editing, QWidget* parent)
    : QFrame(parent), index_(index), breed_(breed), readOnly_(editing == RowEditing::ReadOnly) {
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(!readOnly_);
    setFrameShape(QFrame::Box);
    setLineWidth(2);
    setColours(this, Qt::white, Qt::black);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(makeTextColumn());
    layout->addLayout(makeCells());
    layout->addStretch(1);
    if (!readOnly_) {
        layout->addSpacing(8);
        layout->addLayout(makeButtons());
    }

    showPictures(1, true);
}

QWidget* PhotoRow::makeTextColumn() {
    name_ = new QLabel(breed_, this);
    name_->setFont(fontA());
    name_->setWordWrap(true); // the longest name takes two lines
    setColours(name_, Qt::white, Qt::black);
    state_ = new QLabel(this);
    state_->setTextFormat(Qt::PlainText); // a problem quotes a file's path
    state_->setFont(fontB());
    state_->setWordWrap(true);
    setColours(state_, Qt::white, Qt::black);
    auto* column = new QWidget(this);
    auto* text = new QVBoxLayout(column);
    text->setContentsMargins(0, 0, 0, 0);
    text->addWidget(name_);
    text->addWidget(state_);
    text->addStretch(1);
    column->setFixedWidth(textWidth);
    return column;
}

QLayout* PhotoRow::makeButtons() {
    add_ = makeButton(addText(), this);
    add_->setAccessibleName(QStringLiteral("Přidat fotografii: ") + breed_);
    connect(add_, &QPushButton::clicked, this, [this] { emit addRequested(index_); });
    commons_ = makeButton(commonsText(), this);
    commons_->setFont(fontB());
    commons_->setAccessibleName(QStringLiteral("Najít na Wikimedia Commons: ") + breed_);
    connect(commons_, &QPushButton::clicked, this, [this] { emit commonsRequested(index_); });
    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {add_, commons_}) {
        button->installEventFilter(this);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    return buttons;
}

QHBoxLayout* PhotoRow::makeCells() {
    auto* cells = new QHBoxLayout;
    cells->setSpacing(cellSpacing);
    for (Cell& cell : cells_) {
        makeCell(cell, cells);
    }
    return cells;
}

void PhotoRow::makeCell(Cell& cell, QHBoxLayout* cells) {
    cell.picture = new QLabel(this);
    cell.picture->setFrameShape(QFrame::Box);
    cell.picture->setLineWidth(thumbnailFrame);
    cell.picture->setFixedSize(thumbnailWidth + 2 * thumbnailFrame,
                               thumbnailHeight + 2 * thumbnailFrame);
    cell.picture->setAlignment(Qt::AlignCenter);
    setColours(cell.picture, Qt::white, Qt::black);
    cell.picture->installEventFilter(this);
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    column->addWidget(cell.picture);
    if (!readOnly_) {
        cell.remove = new QPushButton(QStringLiteral("Odebrat"), this);
        cell.remove->setFont(fontB());
        cell.remove->setFixedWidth(cell.picture->width());
        cell.remove->installEventFilter(this);
        connect(cell.remove, &QPushButton::clicked, this, [this, picture = cell.picture] {
            emit removeRequested(index_, cellOf(picture) + 1);
        });
        column->addWidget(cell.remove);
    }
    column->addStretch(1);
    cells->addLayout(column);
}

QList<QWidget*> PhotoRow::tabStops() {
    QList<QWidget*> stops{this};
    for (const Cell& cell : cells_) {
        stops << cell.picture;
        if (cell.remove != nullptr) {
            stops << cell.remove;
        }
    }
    if (add_ != nullptr) {
        stops << add_ << commons_;
    }
    return stops;
}

int PhotoRow::widthWithAllPhotos() const {
    const QMargins margins = layout()->contentsMargins();
    const int cell = thumbnailWidth + 2 * thumbnailFrame;
    // A row only to look at keeps the room of the button it has not, so that
    // a shared set's window is as wide as the editor's and its heading wraps
    // alike.
    int addWidth = 0;
    if (add_ != nullptr) {
        addWidth = std::max(add_->sizeHint().width(), commons_->sizeHint().width());
    } else {
        QPushButton add(addText());
        add.setFont(fontA());
        QPushButton commons(commonsText());
        commons.setFont(fontB());
        addWidth = std::max(add.sizeHint().width(), commons.sizeHint().width());
    }
    const int addColumn = 8 + layout()->spacing() + addWidth;
    return margins.left() + margins.right() + 2 * lineWidth() + textWidth + maxThumbnails * cell +
           (maxThumbnails + 1) * cellSpacing + layout()->spacing() * 2 + addColumn;
}

int PhotoRow::heightWithPhotos() const {
    const QMargins margins = layout()->contentsMargins();
    const QPushButton* remove = cells_.front().remove;
    const int cell = thumbnailHeight + 2 * thumbnailFrame +
                     (remove != nullptr ? 2 + remove->sizeHint().height() : 0);
    return margins.top() + margins.bottom() + 2 * lineWidth() +
           std::max(cell, minimumSizeHint().height());
}

void PhotoRow::showPictures(int count, bool drawing) {
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
    selectedPicture_ = std::clamp(selectedPicture_, 0, count - 1);
    updateState();
}

void PhotoRow::fillPicture(int n, const RowPicture& picture) {
    if (n < 0 || n >= static_cast<int>(problems_.size())) {
        return;
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
    updateState();
}

bool PhotoRow::thumbnailsPending() const {
    return std::ranges::any_of(cells_, [](const Cell& cell) { return !cell.filled; });
}

void PhotoRow::updateState() {
    const std::optional<QString> firstProblem = problem();
    QString text = QStringLiteral("Vlastní fotografie");
    if (drawing_) {
        text = QStringLiteral("Kresba");
    } else if (photoCount() > 1) {
        text = QStringLiteral("Vlastní fotografie: %1").arg(photoCount());
    }
    if (firstProblem) {
        text = *firstProblem;
    }
    state_->setText(text);
    setColours(state_, firstProblem ? problemColour : QColor(Qt::white), Qt::black);
    updateLook();
    updateAccessibleText();
}

std::optional<QString> PhotoRow::problem() const {
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

void PhotoRow::setSelected(bool selected, int picture) {
    selected_ = selected;
    selectedPicture_ = std::clamp(picture, 0, std::max(static_cast<int>(problems_.size()) - 1, 0));
    updateLook();
}

void PhotoRow::updateLook() {
    setFrameColour(this, selected_ ? selectedFrame : plainFrame);
    for (int n = 0; n < maxThumbnails; ++n) {
        const bool previewed = selected_ && n == selectedPicture_ && problems_.size() > 1;
        setFrameColour(cells_.at(static_cast<std::size_t>(n)).picture,
                       previewed ? selectedFrame : QColor(Qt::black));
    }
}

void PhotoRow::updateAccessibleText() {
    const int count = photoCount();
    const QString what = drawing_ ? QStringLiteral("kresba") : photographCount(count);
    setAccessibleName(breed_ + QStringLiteral(", ") + what);
    QStringList problems;
    for (const auto& problem : problems_) {
        if (problem) {
            problems.push_back(*problem);
        }
    }
    setAccessibleDescription(problems.join(QLatin1Char('\n')));
    for (int n = 0; n < maxThumbnails; ++n) {
        const Cell& cell = cells_.at(static_cast<std::size_t>(n));
        if (drawing_ || n >= count) { // hidden but for the drawing's own
            const bool shown = drawing_ && n == 0;
            cell.picture->setAccessibleName(shown ? QStringLiteral("Náhled: ") + breed_
                                                  : QString());
            cell.picture->setAccessibleDescription(shown ? problems_.front().value_or(QString())
                                                         : QString());
            if (cell.remove != nullptr) {
                cell.remove->setAccessibleName(QString());
            }
            continue;
        }
        const QString which = ofCount(n + 1, count);
        cell.picture->setAccessibleName(QStringLiteral("Fotografie %1: %2").arg(which, breed_));
        if (cell.remove != nullptr) {
            cell.remove->setAccessibleName(
                QStringLiteral("Odebrat fotografii %1: %2").arg(which, breed_));
        }
        cell.picture->setAccessibleDescription(
            problems_.at(static_cast<std::size_t>(n)).value_or(QString()));
    }
}

int PhotoRow::cellOf(const QObject* watched) const {
    for (int n = 0; n < maxThumbnails; ++n) {
        const Cell& cell = cells_.at(static_cast<std::size_t>(n));
        if (watched == cell.picture || watched == cell.remove) {
            return n;
        }
    }
    return -1;
}

bool PhotoRow::handleKey(QObject* target, QKeyEvent* event) {
    const bool changes = event->key() == Qt::Key_Delete || event->key() == Qt::Key_Return ||
                         event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space;
    if (readOnly_ && changes) {
        return false;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        emit stepRequested(index_, -1);
        return true;
    case Qt::Key_Down:
        emit stepRequested(index_, +1);
        return true;
    case Qt::Key_Delete:
        // On a photograph: it goes, as its button does.
        if (!drawing_ && target != this && cellOf(target) >= 0 &&
            qobject_cast<QLabel*>(target) != nullptr) {
            emit removeRequested(index_, cellOf(target) + 1);
            return true;
        }
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A plain window has no default button: Enter presses the focused one,
        // and elsewhere in the row it adds a photograph.
        if (auto* button = qobject_cast<QPushButton*>(target)) {
            if (button->isEnabled()) {
                button->click();
            }
        } else {
            emit addRequested(index_);
        }
        return true;
    case Qt::Key_Space:
        if (target == this) {
            emit addRequested(index_);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void PhotoRow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier && handleKey(this, event)) {
        return;
    }
    QFrame::keyPressEvent(event);
}

bool PhotoRow::eventFilter(QObject* watched, QEvent* event) {
    const int cell = cellOf(watched);
    const bool onPicture =
        cell >= 0 && watched == cells_.at(static_cast<std::size_t>(cell)).picture;
    if (event->type() == QEvent::FocusIn) {
        if (cell >= 0) {
            emit pictureSelected(index_, cell);
        } else {
            emit selectRequested(index_);
        }
    } else if (event->type() == QEvent::MouseButtonPress && onPicture) {
        // A click shows that picture; a photograph takes the focus too, so
        // Delete then removes it.
        if (cells_.at(static_cast<std::size_t>(cell)).picture->focusPolicy() != Qt::NoFocus) {
            cells_.at(static_cast<std::size_t>(cell)).picture->setFocus(Qt::MouseFocusReason);
        } else {
            setFocus(Qt::MouseFocusReason);
        }
        emit pictureSelected(index_, cell);
        return true;
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier && key->key() != Qt::Key_Space &&
            handleKey(watched, key)) {
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void PhotoRow::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    QFrame::mousePressEvent(event);
}

void PhotoRow::focusInEvent(QFocusEvent* event) {
    emit selectRequested(index_);
    QFrame::focusInEvent(event);
}

void PhotoRow::dragEnterEvent(QDragEnterEvent* event) {
    if (!readOnly_ && !droppedFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void PhotoRow::dropEvent(QDropEvent* event) {
    const QStringList files = droppedFiles(event->mimeData());
    if (readOnly_ || files.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    emit photosDropped(index_, files);
}

} // namespace tarvelo
