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
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace tarvelo {

namespace {
constexpr int textWidth = 160;

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
    QHBoxLayout* cells = strip_.build(this, !readOnly_);
    for (int n = 0; n < maxThumbnails; ++n) {
        if (QPushButton* remove = strip_.removeButton(n)) {
            connect(remove, &QPushButton::clicked, this,
                    [this, n] { emit removeRequested(index_, n + 1); });
        }
    }
    return cells;
}

QList<QWidget*> PhotoRow::tabStops() {
    QList<QWidget*> stops{this};
    strip_.addTabStops(stops);
    if (add_ != nullptr) {
        stops << add_ << commons_;
    }
    return stops;
}

int PhotoRow::widthWithAllPhotos() const {
    const QMargins margins = layout()->contentsMargins();
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
    return margins.left() + margins.right() + 2 * lineWidth() + textWidth +
           PhotoStrip::fullWidth() + layout()->spacing() * 2 + addColumn;
}

int PhotoRow::heightWithPhotos() const {
    const QMargins margins = layout()->contentsMargins();
    return margins.top() + margins.bottom() + 2 * lineWidth() +
           std::max(strip_.cellHeight(), minimumSizeHint().height());
}

void PhotoRow::showPictures(int count, bool drawing) {
    strip_.showPictures(count, drawing);
    selectedPicture_ = std::clamp(selectedPicture_, 0, strip_.shownCount() - 1);
    updateState();
}

void PhotoRow::fillPicture(int n, const RowPicture& picture) {
    if (strip_.fillPicture(n, picture)) {
        updateState();
    }
}

void PhotoRow::updateState() {
    const std::optional<QString> firstProblem = problem();
    QString text = QStringLiteral("Vlastní fotografie");
    if (holdsDrawing()) {
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

void PhotoRow::setSelected(bool selected, int picture) {
    selected_ = selected;
    selectedPicture_ = std::clamp(picture, 0, std::max(strip_.shownCount() - 1, 0));
    updateLook();
}

void PhotoRow::updateLook() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, selected_ ? selectedFrame : plainFrame);
    setPalette(palette);
    strip_.markPreviewed(selected_ && strip_.shownCount() > 1 ? selectedPicture_ : -1);
}

void PhotoRow::updateAccessibleText() {
    const QString what = holdsDrawing() ? QStringLiteral("kresba") : photographCount(photoCount());
    setAccessibleName(breed_ + QStringLiteral(", ") + what);
    setAccessibleDescription(strip_.problems().join(QLatin1Char('\n')));
    strip_.describe(breed_);
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
        if (!holdsDrawing() && target != this && strip_.cellOf(target) >= 0 &&
            qobject_cast<QLabel*>(target) != nullptr) {
            emit removeRequested(index_, strip_.cellOf(target) + 1);
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
    const int cell = strip_.cellOf(watched);
    const bool onPicture = strip_.isPicture(watched);
    if (event->type() == QEvent::FocusIn) {
        if (cell >= 0) {
            emit pictureSelected(index_, cell);
        } else {
            emit selectRequested(index_);
        }
    } else if (event->type() == QEvent::MouseButtonPress && onPicture) {
        // A click shows that picture; a photograph takes the focus too, so
        // Delete then removes it.
        if (strip_.picture(cell)->focusPolicy() != Qt::NoFocus) {
            strip_.picture(cell)->setFocus(Qt::MouseFocusReason);
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
