// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassicApplication.h"

#include "ApplicationTitle.h"

#include <QColor>
#include <QEvent>
#include <QMessageBox>
#include <QMetaObject>
#include <QPalette>
#include <QPointer>
#include <QStyleFactory>
#include <QWidget>
#include <cstdio>
#include <exception>
#include <new>

namespace tarvelo {

ClassicApplication::ClassicApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Button, QColor(212, 208, 200)); // the classic button face
    setPalette(palette);
}

ClassicApplication::~ClassicApplication() = default;

namespace {

// std::bad_alloc's own text is the library's English; the teacher reads this.
QString outOfMemory() {
    return QStringLiteral("nedostatek paměti");
}

// Where a message goes when not even its box can be shown.
void sayOnStandardError(const QString& message) noexcept {
    try {
        std::fputs((message + QLatin1Char('\n')).toUtf8().constData(), stderr);
    } catch (...) {
        std::fputs("nedostatek paměti\n", stderr);
    }
}

} // namespace

void ClassicApplication::dispatch(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::bad_alloc&) {
        reportError(outOfMemory());
    } catch (const std::exception& error) {
        reportError(QString::fromUtf8(error.what()));
    } catch (...) {
        reportError(QStringLiteral("Unknown error"));
    }
}

bool ClassicApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        handleEscapedError(outOfMemory(), event);
    } catch (const std::exception& error) {
        handleEscapedError(QString::fromUtf8(error.what()), event);
    } catch (...) {
        handleEscapedError(QStringLiteral("Unknown error"), event);
    }
    return true;
}

void ClassicApplication::handleEscapedError(const QString& message, const QEvent* event) {
    // Nothing may leave notify: Qt ends the program on an exception from it.
    // Should even the box fail (memory still short), the message goes to
    // standard error and the program goes on.
    try {
        if (event->type() == QEvent::Paint) {
            // The box runs its own event loop; opening it from inside the paint
            // that failed would repaint into that same paint. Report right after.
            QMetaObject::invokeMethod(
                this, [this, message] { reportError(message); }, Qt::QueuedConnection);
            return;
        }
        reportError(message);
    } catch (...) {
        sayOnStandardError(message);
    }
}

QWidget* ClassicApplication::errorBoxOwner() const {
    return activeWindow();
}

void ClassicApplication::reportError(const QString& message) {
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    const QPointer<QWidget> owner = errorBoxOwner();
    const QPointer<QWidget> focused = focusWidget();
    QMessageBox box(QMessageBox::Critical, errorCaption(), QString(), QMessageBox::Ok, owner);
    // The message quotes file paths: shown as written, never taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(errorBoxText(message));
    box.exec();
    // The window that was active becomes active again, the focus where it was.
    if (owner && owner->isVisible()) {
        owner->activateWindow();
        if (focused) {
            focused->setFocus(Qt::ActiveWindowFocusReason);
        }
    }
}

} // namespace tarvelo
