// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TForm.h"

#include "TApplication.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>

namespace tarvelo {

bool canTakeFocus(const QWidget* widget) {
    return widget != nullptr && widget->isVisible() && widget->isEnabled();
}

TForm::TForm(TApplication& application, const QString& caption, QSize clientSize)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      application_(application) {
    setWindowTitle(caption);
    setFixedSize(clientSize);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
}

void TForm::setModalResult(int result) {
    modalResult_ = result;
    if (result != mrNone && modal_) {
        application_.modalResultChanged(*this);
    }
}

void TForm::setActiveControl(QWidget* control) {
    activeControl_ = control;
}

void TForm::showForm() {
    if (!placed_) {
        // Centred the first time; later showings keep where the player left it.
        placed_ = true;
        winId(); // the frame is known once the native window exists
        if (const QScreen* screen = this->screen()) {
            const QRect whole = screen->geometry();
            const QRect desktop = screen->availableGeometry();
            const QSize outer = frameGeometry().size();
            const int left = (whole.width() - outer.width()) / 2;
            const int top = (whole.height() - outer.height()) / 2;
            move(std::max(left, desktop.left()), std::max(top, desktop.top()));
        }
    }
    show();
}

void TForm::showAndActivate() {
    showForm();
    raise();
    activateWindow();
    if (application_.focusedWindow() != this) {
        // Not every window manager grants the activation at once, or at all;
        // the focus record, and so the activation handler, must not wait for it.
        QWidget* target = focusTargetOnActivation();
        target->setFocus(Qt::ActiveWindowFocusReason);
        application_.focusEntered(this, target == this ? nullptr : target);
        activationApplied_ = true;
    }
}

QWidget* TForm::focusTargetOnActivation() {
    if (activeControl_ != nullptr) {
        return canTakeFocus(activeControl_) ? activeControl_ : this;
    }
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (w->window() == this && (w->focusPolicy() & Qt::TabFocus) && canTakeFocus(w)) {
            return w;
        }
    }
    return this;
}

void TForm::releaseFocusFrom(QWidget* widget) {
    auto* form = qobject_cast<TForm*>(widget->window());
    if (form == nullptr || form == widget) {
        return;
    }
    // Only a window that has the focus moves it; an inactive one keeps its
    // active control, and activation then finds it hidden or disabled.
    QWidget* focused = form->focusWidget();
    if (form->application_.focusedWindow() == form && focused != nullptr &&
        (focused == widget || widget->isAncestorOf(focused))) {
        form->setFocus(Qt::OtherFocusReason);
        form->setActiveControl(nullptr);
        form->updateActiveFlags(form);
    }
}

void TForm::setDefaultButton(QPushButton* button) {
    defaultButtons_.push_back(button);
    button->setDefault(true);
}

void TForm::registerControls() {
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        button->installEventFilter(this);
        if (auto* radio = qobject_cast<QRadioButton*>(button)) {
            // A radio button is a tab stop exactly while it is checked.
            const auto followCheck = [radio](bool checked) {
                radio->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
            };
            followCheck(radio->isChecked());
            connect(radio, &QRadioButton::toggled, radio, followCheck);
        }
    }
}

// What a click handler throws is caught here, before it could unwind through
// Qt's own frames, which are built without exception support and would skip
// their clean-up; it is reported like anything else escaping a handler.
void TForm::onClick(QAbstractButton* button, std::function<void()> handler) {
    connect(button, &QAbstractButton::clicked, this,
            [this, handler = std::move(handler)] { application_.dispatch(handler); });
}

void TForm::updateActiveFlags(QWidget* focused) {
    auto* focusedButton = qobject_cast<QPushButton*>(focused);
    for (QPushButton* button : findChildren<QPushButton*>()) {
        const bool isDefault = std::find(defaultButtons_.begin(), defaultButtons_.end(), button) !=
                               defaultButtons_.end();
        button->setDefault(focusedButton != nullptr ? button == focusedButton : isDefault);
    }
}

// Enter goes to the first active button, depth-first in creation order, that
// can take the focus; a default button on a hidden page never answers.
bool TForm::pressActiveButton(Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
        return false;
    }
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->isDefault() && canTakeFocus(button)) {
            setModalResult(mrNone);
            button->click();
            return true;
        }
    }
    return false;
}

bool TForm::moveFocusAmongSiblings(QWidget* from, bool forward) {
    QWidget* w = forward ? from->nextInFocusChain() : from->previousInFocusChain();
    for (; w != from; w = forward ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (w->parentWidget() == from->parentWidget() && w->focusPolicy() != Qt::NoFocus &&
            canTakeFocus(w)) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void TForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!pressActiveButton(event->modifiers())) {
            event->ignore();
        }
        return;
    case Qt::Key_Escape:
        // No button cancels: Escape does nothing, and never closes a window.
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return; // the window itself has the focus: arrows do nothing
    default:
        QWidget::keyPressEvent(event);
    }
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QAbstractButton*>(watched);
    if (control == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool alt = key->modifiers() & Qt::AltModifier;
        const int k = key->key();
        if (k == Qt::Key_Right || k == Qt::Key_Down || k == Qt::Key_Left || k == Qt::Key_Up) {
            if (!alt) {
                moveFocusAmongSiblings(control, k == Qt::Key_Right || k == Qt::Key_Down);
            }
            return true;
        }
    } else if (event->type() == QEvent::FocusIn) {
        // The window system checks a radio button that the keyboard moves onto.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        auto* radio = qobject_cast<QRadioButton*>(control);
        if (radio != nullptr &&
            (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)) {
            radio->setChecked(true);
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The close procedure: the title bar's close button, Alt+F4, the system menu.
void TForm::closeEvent(QCloseEvent* event) {
    event->ignore(); // the toolkit never hides a window behind our back
    if (modal_) {
        setModalResult(mrCancel);
        return;
    }
    TCloseAction action = TCloseAction::caHide;
    closeNotice(action);
    if (action == TCloseAction::caNone) {
        return;
    }
    if (application_.mainWindow() == this) {
        application_.requestQuit();
    } else if (action == TCloseAction::caMinimize) {
        showMinimized();
    } else {
        hide();
    }
}

// The layout is drawn for one size, yet some window managers (IceWM) resize
// or maximise a window whatever its size hints say. The window takes its
// size back once the window system's event has been handled: un-maximised
// first, as a maximised window is not resized.
void TForm::keepFixedSize() {
    const bool stretched = windowState().testAnyFlags(Qt::WindowMaximized | Qt::WindowFullScreen);
    if (sizeRestoreQueued_ || (!stretched && size() == minimumSize()) ||
        minimumSize() != maximumSize()) {
        return;
    }
    sizeRestoreQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            sizeRestoreQueued_ = false;
            setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
            resize(minimumSize());
        },
        Qt::QueuedConnection);
}

void TForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    keepFixedSize();
}

void TForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        keepFixedSize();
    }
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (activationApplied_) {
            // The focus was already placed when the window was shown, and the
            // activation handler may have moved it since: keep it there.
            activationApplied_ = false;
            QWidget* current = focusWidget();
            (current != nullptr ? current : this)->setFocus(Qt::ActiveWindowFocusReason);
        } else {
            focusTargetOnActivation()->setFocus(Qt::ActiveWindowFocusReason);
        }
    }
    QWidget::changeEvent(event);
}

} // namespace tarvelo
