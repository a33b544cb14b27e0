// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SessionEnd.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <cstdlib>
#include <windows.h>

namespace tarvelo {

namespace {

// Windows asks every top-level window whether the session may end; Qt says
// yes. The WM_ENDSESSION that follows, when the session really ends, ends us.
class SessionEndFilter : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message,
                           qintptr* /*result*/) override {
        const auto* msg = static_cast<const MSG*>(message);
        if (eventType == "windows_generic_MSG" && msg->message == WM_ENDSESSION &&
            msg->wParam != FALSE) {
            std::_Exit(0);
        }
        return false;
    }
};

void installFilter() {
    static SessionEndFilter filter;
    QCoreApplication::instance()->installNativeEventFilter(&filter);
}

} // namespace

void endAtOnceWhenTheSessionEnds() {
    // Runs inside the application object's constructor.
    qAddPreRoutine(installFilter);
}

} // namespace tarvelo
