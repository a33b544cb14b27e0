// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

class QAbstractButton;
class QPushButton;

namespace tarvelo {

class TApplication;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

inline constexpr int mrNone = 0;
inline constexpr int mrCancel = 2;

// A top-level window with the desktop behaviour both quiz windows share:
// Enter presses the active button, Escape does nothing, arrows move between
// sibling buttons, the focus returns to the window's active control, and a
// fixed size centred on its first showing.
class TForm : public QWidget {
    Q_OBJECT
public:
    TForm(TApplication& application, const QString& caption, QSize clientSize);

    int modalResult() const { return modalResult_; }
    void setModalResult(int result);
    bool isModal() const { return modal_; }
    void setModal(bool modal) { modal_ = modal; }

    // The control that has, or last had, the focus in this window; null
    // when the window itself has it.
    QWidget* activeControl() const { return activeControl_; }
    void setActiveControl(QWidget* control);

    // Shows the window, centred on the screen the first time.
    void showForm();
    // Shows, raises and activates the window; the focus record follows even
    // where the window manager does not grant the activation.
    void showAndActivate();

    // Where the focus goes when the window becomes active.
    virtual QWidget* focusTargetOnActivation();

    // The handlers the toolkit runs; a window overrides what it uses.
    virtual void activationNotice() {}
    virtual void deactivationNotice() {}
    virtual void closeNotice(TCloseAction& /*action*/) {}

    // Moves the focus to the window itself first when `widget` holds it, so
    // hiding or disabling a control never hands the focus to a neighbour.
    static void releaseFocusFrom(QWidget* widget);

protected:
    // A push button that Enter presses while no other button has the focus.
    void setDefaultButton(QPushButton* button);
    // Buttons and radio buttons take part in arrow-key moves and active flags.
    void registerControls();
    // Runs `handler` on every click of `button` as an event handler of its own.
    void onClick(QAbstractButton* button, std::function<void()> handler);

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    TApplication& application_;

private:
    friend class TApplication;
    void updateActiveFlags(QWidget* focused);
    bool pressActiveButton(Qt::KeyboardModifiers modifiers);
    bool moveFocusAmongSiblings(QWidget* from, bool forward);
    void keepFixedSize();

    int modalResult_ = 0;
    bool modal_ = false;
    bool placed_ = false;
    bool activationApplied_ = false;
    bool sizeRestoreQueued_ = false;
    QWidget* activeControl_ = nullptr;
    std::vector<QPushButton*> defaultButtons_;
};

// A control can take the focus when it and all its parents are visible and enabled.
bool canTakeFocus(const QWidget* widget);

} // namespace tarvelo
