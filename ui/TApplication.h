// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClassicApplication.h"
#include "TForm.h"

#include <QPointer>
#include <QString>
#include <vector>

class QEventLoop;

namespace tarvelo {

// The quiz's application object: title, quit request, the program-wide focus
// record and the start window's modal run. Its error box, for whatever escapes
// an event handler, bears the title.
class TApplication : public ClassicApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    const QString& applicationTitle() const { return applicationTitle_; }

    TForm* mainWindow() const { return mainWindow_; }
    void setMainWindow(TForm* window);

    // Posts the quit request; nothing ends until an event loop takes it.
    void requestQuit();
    bool quitFlag() const { return quitFlag_; }

    // The window that last received the keyboard focus (the focus record).
    TForm* focusedWindow() const { return focusedWindow_; }
    // Focus entered `window` (on `control`, or on the window itself when
    // null): runs its activation notice when it comes from another window.
    void focusEntered(TForm* window, QWidget* control);

    // All of the play happens inside this call. Throws when the window is
    // visible, disabled or already modal.
    int runModal(TForm& window);
    // The parts of runModal, for driving a modal run step by step.
    void beginModal(TForm& window);
    bool modalRunGoesOn(TForm& window);
    int endModal(TForm& window);
    // Wakes the modal loop so it can look at the window's ModalResult.
    void modalResultChanged(TForm& window);

    // Shutdown: dispatches events until the quit request has been taken.
    void runUntilQuit();

protected:
    bool event(QEvent* event) override;
    QString errorCaption() const override { return applicationTitle_; }
    // The active window, else the window in the focus record while it is
    // shown; none before any window shows. The focus record stays as it was,
    // so closing the box runs no activation handler.
    QWidget* errorBoxOwner() const override;

private:
    void wakeLoops();

    QString applicationTitle_;
    QPointer<TForm> mainWindow_;
    QPointer<TForm> focusedWindow_;
    std::vector<QPointer<TForm>> focusStack_;
    bool quitFlag_ = false;
    QEventLoop* modalLoop_ = nullptr;
    QEventLoop* finalLoop_ = nullptr;

    struct ModalState {
        QPointer<QWidget> previouslyActive;
        std::vector<QPointer<QWidget>> disabledWindows;
    };
    std::vector<ModalState> modalStates_;
};

TApplication& tApp();

} // namespace tarvelo
