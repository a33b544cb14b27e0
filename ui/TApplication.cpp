// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TApplication.h"

#include "Accessibility.h"
#include "ApplicationTitle.h"
#include "PictureBox.h"
#include "TForm.h"

#include <QEventLoop>
#include <stdexcept>

namespace tarvelo {

namespace {
const QEvent::Type quitRequestEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
} // namespace

TApplication& tApp() {
    return *static_cast<TApplication*>(QCoreApplication::instance());
}

TApplication::TApplication(int& argc, char** argv)
    : ClassicApplication(argc, argv),
      applicationTitle_(applicationTitleFrom(applicationFilePath())) {
    // The program decides when it ends, not the last window closing.
    setQuitOnLastWindowClosed(false);
    setKeyboardInputInterval(500);
    installAccessibleRoles();
    installPictureBoxRole();
    connect(this, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (auto* form = now != nullptr ? qobject_cast<TForm*>(now->window()) : nullptr) {
            focusEntered(form, now == form ? nullptr : now);
        }
    });
}

TApplication::~TApplication() = default;

void TApplication::setMainWindow(TForm* window) {
    mainWindow_ = window;
}

void TApplication::requestQuit() {
    postEvent(this, new QEvent(quitRequestEvent));
}

bool TApplication::event(QEvent* event) {
    if (event->type() == quitRequestEvent) {
        quitFlag_ = true;
        wakeLoops();
        return true;
    }
    return ClassicApplication::event(event);
}

void TApplication::wakeLoops() {
    if (modalLoop_ != nullptr) {
        modalLoop_->exit();
    }
    if (finalLoop_ != nullptr) {
        finalLoop_->exit();
    }
}

void TApplication::focusEntered(TForm* window, QWidget* control) {
    window->setActiveControl(control);
    if (focusedWindow_ != window) {
        if (focusedWindow_ != nullptr) {
            focusedWindow_->deactivationNotice();
        }
        focusedWindow_ = window;
        dispatch([window] { window->activationNotice(); });
    }
    window->updateActiveFlags(control != nullptr ? control : window);
}

int TApplication::runModal(TForm& window) {
    beginModal(window);
    QEventLoop loop;
    modalLoop_ = &loop;
    while (modalRunGoesOn(window)) {
        loop.exec();
    }
    modalLoop_ = nullptr;
    return endModal(window);
}

void TApplication::beginModal(TForm& window) {
    if (window.isVisible() || !window.isEnabled() || window.isModal()) {
        throw std::runtime_error("Cannot make a visible window modal");
    }
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    window.setModal(true);

    ModalState state;
    state.previouslyActive = activeWindow();
    focusStack_.push_back(focusedWindow_);
    focusedWindow_ = &window;
    // Nothing is visible when the quiz starts, so nothing is disabled here and
    // the quiz window takes input normally during the run.
    for (QWidget* top : topLevelWidgets()) {
        if (top != &window && top->isVisible() && top->isEnabled()) {
            top->setEnabled(false);
            state.disabledWindows.emplace_back(top);
        }
    }
    modalStates_.push_back(std::move(state));

    window.showAndActivate();
    window.activationNotice();
    window.setModalResult(mrNone);
}

bool TApplication::modalRunGoesOn(TForm& window) {
    if (quitFlag_) {
        window.setModalResult(mrCancel); // the close handler does not run
        return false;
    }
    if (window.modalResult() == mrNone) {
        return true;
    }
    // Modal close step: neither window vetoes; the close handler may keep it open.
    bool ends = false;
    dispatch([&] {
        TCloseAction action = TCloseAction::caHide;
        window.closeNotice(action);
        ends = action != TCloseAction::caNone;
    });
    if (!ends) {
        window.setModalResult(mrNone);
    }
    return !ends;
}

int TApplication::endModal(TForm& window) {
    window.deactivationNotice();
    ModalState state = std::move(modalStates_.back());
    modalStates_.pop_back();
    window.hide();
    for (const auto& disabled : state.disabledWindows) {
        if (disabled) {
            disabled->setEnabled(true);
        }
    }
    focusedWindow_ = focusStack_.back();
    focusStack_.pop_back();
    if (state.previouslyActive) {
        state.previouslyActive->activateWindow();
    }
    window.setModal(false);
    return window.modalResult();
}

void TApplication::modalResultChanged(TForm& /*window*/) {
    if (modalLoop_ != nullptr) {
        modalLoop_->exit();
    }
}

void TApplication::runUntilQuit() {
    if (quitFlag_) {
        return;
    }
    QEventLoop loop;
    finalLoop_ = &loop;
    loop.exec();
    finalLoop_ = nullptr;
}

QWidget* TApplication::errorBoxOwner() const {
    if (QWidget* active = activeWindow()) {
        return active;
    }
    if (focusedWindow_ != nullptr && focusedWindow_->isVisible()) {
        return focusedWindow_;
    }
    return nullptr;
}

} // namespace tarvelo
