// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QString>
#include <functional>

class QEvent;
class QObject;
class QWidget;

namespace tarvelo {

// The application object both window programs stand on: the classic,
// unthemed look their windows were laid out for, and the error box for
// whatever escapes an event handler. The handler ends there and the program
// goes on with the next event.
class ClassicApplication : public QApplication {
    Q_OBJECT
public:
    ClassicApplication(int& argc, char** argv);
    ~ClassicApplication() override;

    // Runs `handler` as an event handler: an exception ends it and is
    // reported in the error box.
    void dispatch(const std::function<void()>& handler);
    // The error box: the message, with a "." when it ends in a character
    // above ".", under errorCaption(), over errorBoxOwner(). Once it closes,
    // the window that was active and the focus in it are back.
    void reportError(const QString& message);

    bool notify(QObject* receiver, QEvent* event) override;

protected:
    // The caption of every error box.
    virtual QString errorCaption() const = 0;
    // The window the error box belongs to; by default the active one, if any.
    virtual QWidget* errorBoxOwner() const;

private:
    void handleEscapedError(const QString& message, const QEvent* event);
};

} // namespace tarvelo
