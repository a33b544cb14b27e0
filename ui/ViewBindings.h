// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ViewItems.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tarvelo {

class TForm;

// Binds a view item of the quiz rules to a control. Hiding or disabling a
// control that has the focus leaves the focus on its window, not on a
// neighbour.
template <class Item> class WidgetItemOf : public Item {
public:
    using Getter = std::function<QString()>;
    using Setter = std::function<void(const QString&)>;

    WidgetItemOf(QWidget* widget, Getter get, Setter set)
        : widget_(widget), get_(std::move(get)), set_(std::move(set)) {}

    std::string text() const override { return get_().toStdString(); }
    void setText(const std::string& text) override { set_(QString::fromStdString(text)); }
    bool visible() const override { return !widget_->isHidden(); }
    void setVisible(bool visible) override;
    bool enabled() const override { return widget_->isEnabled(); }
    void setEnabled(bool enabled) override;

protected:
    QWidget* widget_;

private:
    Getter get_;
    Setter set_;
};

using WidgetItem = WidgetItemOf<ViewItem>;

WidgetItem labelItem(QLabel* label);
// The question number, which also describes the photograph to screen readers
// ("Otázka 3 z 19"), never naming what it shows. `questionNumber` is read as
// the label is set.
WidgetItem questionItem(QLabel* label, QWidget* picture, std::function<int()> questionNumber);
WidgetItem buttonItem(QAbstractButton* button);
WidgetItem editItem(QLineEdit* edit);
WidgetItem groupItem(QGroupBox* group);
WidgetItem formItem(TForm* form);

class ListItem : public WidgetItemOf<ListViewItem> {
public:
    explicit ListItem(QComboBox* list);
    void appendEntry(const std::string& entry) override;
    void clearSelection() override;

private:
    QComboBox* list_;
};

class RadioItem : public WidgetItemOf<CheckViewItem> {
public:
    explicit RadioItem(QRadioButton* radio);
    bool checked() const override;

private:
    QRadioButton* radio_;
};

class WindowItem : public WidgetItemOf<WindowViewItem> {
public:
    explicit WindowItem(TForm* form);
    void setWindowStateNormal() override;
    void setOuterSize(int width, int height) override;
    void showAndBringForward() override;

private:
    TForm* form_;
};

} // namespace tarvelo
