// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ViewItems.h"

#include <QMessageBox>
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
// ("Otázka 3 z 19", in practice "Otázka 3"), never naming what it shows.
// `description` is asked as the label is set.
WidgetItem questionItem(QLabel* label, QWidget* picture, std::function<QString()> description);
// The result text: in its stored font on one line where it fits the page,
// as a test's score always does; a longer one (the end of a practice) in a
// smaller font on up to two lines above the buttons.
WidgetItem resultItem(QLabel* label);
// The breed a wrong answer named: the item's text is the bare name, the
// label shows "Zaměněno s: NAME" and describes itself so to screen readers;
// shown and hidden with `panel`.
WidgetItem confusedNameItem(QWidget* panel, QLabel* label, QWidget* picture);
// A control that only shows and hides (a frame); its text is nothing.
WidgetItem frameItem(QWidget* widget);
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

// A sentence said once (the memory of practice could not be read or saved):
// shown as a box beside the window on view, which does not stop the play;
// hidden by closing the box. Its text is plain text.
class NoticeItem : public ViewItem {
public:
    // `owner` gives the window the box belongs to when it opens.
    explicit NoticeItem(std::function<QWidget*()> owner);

    std::string text() const override { return text_.toStdString(); }
    void setText(const std::string& text) override;
    bool visible() const override;
    void setVisible(bool visible) override;
    bool enabled() const override { return true; }
    void setEnabled(bool /*enabled*/) override {}

private:
    std::function<QWidget*()> owner_;
    QString text_;
    QPointer<QMessageBox> box_; // owned by the window it opened beside
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
