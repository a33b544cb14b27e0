// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Announcement.h"

#include <QAccessible>
#include <QString>
#include <QWidget>
#include <QtGlobal>

namespace tarvelo {

// Qt's UI Automation bridge presents an alert as a plain pane and raises
// nothing when it appears. Up to Qt 6.7 a value change whose value is a text
// reaches UI Automation as a notification (UiaRaiseNotificationEvent,
// "important, most recent"), which Narrator and NVDA speak where the focus
// is; Windows before 10 1709 lacks that function and stays silent. Qt 6.8
// has an announcement of its own and no longer turns a value change into one.
void announce(QWidget& source, const QString& text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(&source, text);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
#else
    QAccessibleValueChangeEvent event(&source, text);
#endif
    QAccessible::updateAccessibility(&event);
}

} // namespace tarvelo
