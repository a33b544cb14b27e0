// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoRow.h"

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

namespace tarvelo {

namespace {
constexpr int thumbnailWidth = 96;
constexpr int thumbnailHeight = 54;

const QColor problemColour(255, 200, 0);
const QColor selectedFrame(Qt::white);
const QColor plainFrame(80, 80, 80);

// Like the start window's buttons: the system's button-text colour, which
// stays legible on the classic face and greys out clearly when disabled.
QPushButton* makeButton(const QString& text, const QString& accessibleName, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setFont(fontA());
    button->setAccessibleName(accessibleName);
    return button;
}
} // namespace

QString droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return {};
    }
    const QUrl url = data->urls().front();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

PhotoRow::PhotoRow(int index, const QString& breed, QWidget* parent)
    : QFrame(parent), index_(index), breed_(breed) {
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setFrameShape(QFrame::Box);
    setLineWidth(2);
    setColours(this, Qt::white, Qt::black);

    name_ = new QLabel(breed, this);
    name_->setFont(fontA());
    setColours(name_, Qt::white, Qt::black);
    state_ = new QLabel(this);
    state_->setFont(fontB());
    state_->setWordWrap(true);
    setColours(state_, Qt::white, Qt::black);

    thumbnail_ = new QLabel(this);
    thumbnail_->setFixedSize(thumbnailWidth, thumbnailHeight);
    thumbnail_->setAlignment(Qt::AlignCenter);
    setColours(thumbnail_, Qt::white, Qt::black);

    choose_ = makeButton(QStringLiteral("Vybrat fotografii…"),
                         QStringLiteral("Vybrat fotografii: ") + breed, this);
    restore_ = makeButton(QStringLiteral("Vrátit kresbu"),
                          QStringLiteral("Vrátit kresbu: ") + breed, this);
    connect(choose_, &QPushButton::clicked, this, [this] { emit chooseRequested(index_); });
    connect(restore_, &QPushButton::clicked, this, [this] { emit restoreRequested(index_); });
    for (QWidget* child : {static_cast<QWidget*>(choose_), static_cast<QWidget*>(restore_)}) {
        child->installEventFilter(this);
    }

    auto* text = new QVBoxLayout;
    text->addWidget(name_);
    text->addWidget(state_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addLayout(text, 1);
    layout->addWidget(thumbnail_);
    layout->addSpacing(8);
    layout->addWidget(choose_);
    layout->addWidget(restore_);

    // Tab goes from the row to its buttons, then on to the next row.
    setTabOrder(this, choose_);
    setTabOrder(choose_, restore_);
    showPicture({}, true, std::nullopt);
    updateLook();
}

void PhotoRow::showPicture(const QImage& thumbnail, bool drawing,
                           const std::optional<QString>& problem) {
    drawing_ = drawing;
    problem_ = problem;
    if (thumbnail.isNull()) {
        thumbnail_->setPixmap({});
        thumbnail_->setText(QStringLiteral("?"));
    } else {
        thumbnail_->setText({});
        thumbnail_->setPixmap(QPixmap::fromImage(thumbnail));
    }
    QString text = drawing ? QStringLiteral("Kresba") : QStringLiteral("Vlastní fotografie");
    if (problem) {
        text = *problem;
    }
    state_->setText(text);
    setColours(state_, problem ? problemColour : QColor(Qt::white), Qt::black);
    restore_->setEnabled(!drawing || problem.has_value());
    updateAccessibleText();
}

void PhotoRow::setSelected(bool selected) {
    selected_ = selected;
    updateLook();
}

void PhotoRow::updateLook() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, selected_ ? selectedFrame : plainFrame);
    setPalette(palette);
}

void PhotoRow::updateAccessibleText() {
    QString what = drawing_ ? QStringLiteral("kresba") : QStringLiteral("vlastní fotografie");
    setAccessibleName(breed_ + QStringLiteral(", ") + what);
    setAccessibleDescription(problem_.value_or(QString()));
    thumbnail_->setAccessibleName(QStringLiteral("Náhled: ") + breed_);
}

bool PhotoRow::handleKey(QObject* target, QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        emit stepRequested(index_, -1);
        return true;
    case Qt::Key_Down:
        emit stepRequested(index_, +1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A plain window has no default button: Enter presses the focused one,
        // and on the row itself it chooses a photograph.
        if (auto* button = qobject_cast<QPushButton*>(target)) {
            if (button->isEnabled()) {
                button->click();
            }
        } else {
            emit chooseRequested(index_);
        }
        return true;
    case Qt::Key_Space:
        if (target == this) {
            emit chooseRequested(index_);
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
    if (event->type() == QEvent::FocusIn) {
        emit selectRequested(index_);
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
    if (!droppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void PhotoRow::dropEvent(QDropEvent* event) {
    const QString file = droppedFile(event->mimeData());
    if (file.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    emit photoDropped(index_, file);
}

} // namespace tarvelo
