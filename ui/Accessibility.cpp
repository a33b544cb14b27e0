// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Accessibility.h"

#include "PictureBox.h"

#include <QAccessibleWidget>

namespace tarvelo {

namespace {
// Qt's AT-SPI bridge reports AlertMessage as an alert and sends "showing"
// when the panel is shown; screen readers read an alert's name and its
// labels then, without the focus moving. A hidden panel offers no children:
// its labels keep the last correction, which at the start of the next round
// can be the name of the picture on display.
class AlertPanelAccessible : public QAccessibleWidget {
public:
    explicit AlertPanelAccessible(QWidget* panel)
        : QAccessibleWidget(panel, QAccessible::AlertMessage) {}

    int childCount() const override {
        return widget()->isHidden() ? 0 : QAccessibleWidget::childCount();
    }
    QAccessibleInterface* child(int index) const override {
        return widget()->isHidden() ? nullptr : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return widget()->isHidden() ? -1 : QAccessibleWidget::indexOfChild(child);
    }
};

QAccessibleInterface* programRoles(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (className == QLatin1String(AlertPanel::staticMetaObject.className())) {
        return new AlertPanelAccessible(widget);
    }
    if (className == QLatin1String(PictureBox::staticMetaObject.className())) {
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    }
    return nullptr;
}
} // namespace

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(programRoles);
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace tarvelo
