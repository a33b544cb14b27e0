// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Accessibility.h"

#include "Announcement.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QShowEvent>
#include <QStringList>

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
    return nullptr;
}
} // namespace

// The panel is shown before its labels get their new texts, and a screen
// reader keeps the names it has read: with the same label objects it would
// read out the previous correction. Forgetting the labels' interfaces while
// the panel is hidden gives them new identities, read afresh on the next showing.
void AlertPanel::hideEvent(QHideEvent* event) {
    QGroupBox::hideEvent(event);
    if (QAccessible::isActive()) {
        for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            QAccessible::deleteAccessibleInterface(
                QAccessible::uniqueId(QAccessible::queryAccessibleInterface(label)));
        }
    }
}

QString AlertPanel::announcementText() const {
    QStringList texts;
    for (const QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (const QString text = label->text().simplified(); !text.isEmpty()) {
            texts << text;
        }
    }
    return accessibleName() + QStringLiteral(": ") + texts.join(QStringLiteral(", "));
}

// The panel is shown before its labels get their new texts, so it is read out
// once the handler that showed it has ended, from what that handler left.
// A window coming back from being minimised shows its panels again to the
// window system only: nothing new to hear.
void AlertPanel::showEvent(QShowEvent* event) {
    QGroupBox::showEvent(event);
    if (event->spontaneous() || announcementQueued_) {
        return;
    }
    announcementQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            announcementQueued_ = false;
            // Hidden again meanwhile, as by a double click's second press.
            if (isVisible()) {
                announce(*this, announcementText());
            }
        },
        Qt::QueuedConnection);
}

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(programRoles);
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace tarvelo
