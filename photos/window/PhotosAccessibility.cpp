// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotosAccessibility.h"

#include "PhotoRow.h"
#include "PhotosWindow.h"

#include <QAccessibleWidget>

namespace tarvelo {

namespace {
QAccessibleInterface* photosRoles(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (className == QLatin1String(PhotoRow::staticMetaObject.className())) {
        return new QAccessibleWidget(widget, QAccessible::ListItem);
    }
    if (className == QLatin1String(PhotoRowList::staticMetaObject.className())) {
        return new QAccessibleWidget(widget, QAccessible::List);
    }
    if (className == QLatin1String(PhotosWindow::staticMetaObject.className())) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    return nullptr;
}
} // namespace

void installPhotoRowRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(photosRoles);
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace tarvelo
