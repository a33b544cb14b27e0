// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewBindings.h"

#include "QuizRound.h"
#include "TForm.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

namespace tarvelo {

template <class Item> void WidgetItemOf<Item>::setVisible(bool visible) {
    if (auto* form = qobject_cast<TForm*>(widget_); form != nullptr && visible) {
        form->showForm();
        return;
    }
    if (!visible) {
        TForm::releaseFocusFrom(widget_);
    }
    widget_->setVisible(visible);
}

template <class Item> void WidgetItemOf<Item>::setEnabled(bool enabled) {
    if (!enabled) {
        TForm::releaseFocusFrom(widget_);
    }
    widget_->setEnabled(enabled);
}

template class WidgetItemOf<ViewItem>;
template class WidgetItemOf<ListViewItem>;
template class WidgetItemOf<CheckViewItem>;
template class WidgetItemOf<WindowViewItem>;

namespace {
// Labels size themselves to their text.
void showText(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}
} // namespace

WidgetItem labelItem(QLabel* label) {
    return {label, [label] { return label->text(); },
            [label](const QString& text) { showText(label, text); }};
}

WidgetItem questionItem(QLabel* label, QWidget* picture, std::function<int()> questionNumber) {
    return {label, [label] { return label->text(); },
            [label, picture, questionNumber = std::move(questionNumber)](const QString& text) {
                showText(label, text);
                picture->setAccessibleDescription(
                    QStringLiteral("Otázka %1 z %2").arg(questionNumber()).arg(questionsPerRound));
            }};
}

WidgetItem buttonItem(QAbstractButton* button) {
    return {button, [button] { return button->text(); },
            [button](const QString& text) { button->setText(text); }};
}

WidgetItem editItem(QLineEdit* edit) {
    return {edit, [edit] { return edit->text(); },
            [edit](const QString& text) { edit->setText(text); }};
}

WidgetItem groupItem(QGroupBox* group) {
    return {group, [group] { return group->title(); },
            [group](const QString& text) { group->setTitle(text); }};
}

WidgetItem formItem(TForm* form) {
    return {form, [form] { return form->windowTitle(); },
            [form](const QString& text) { form->setWindowTitle(text); }};
}

ListItem::ListItem(QComboBox* list)
    : WidgetItemOf<ListViewItem>(
          list, [list] { return list->currentIndex() < 0 ? QString() : list->currentText(); },
          [list](const QString& text) { list->setCurrentIndex(list->findText(text)); }),
      list_(list) {}

void ListItem::appendEntry(const std::string& entry) {
    // Qt selects the first entry added to an empty list; the quiz wants none.
    const int selected = list_->currentIndex();
    const QString text = QString::fromStdString(entry);
    list_->addItem(text);
    list_->setCurrentIndex(selected);
    // The dropped-down list is as wide as its longest name, so no name is cut short.
    QAbstractItemView* view = list_->view();
    const int wanted = view->fontMetrics().horizontalAdvance(text) + 4 * view->frameWidth() + 8;
    view->setMinimumWidth(std::max(view->minimumWidth(), wanted));
}

void ListItem::clearSelection() {
    list_->setCurrentIndex(-1);
}

RadioItem::RadioItem(QRadioButton* radio)
    : WidgetItemOf<CheckViewItem>(
          radio, [radio] { return radio->text(); },
          [radio](const QString& text) { radio->setText(text); }),
      radio_(radio) {}

bool RadioItem::checked() const {
    return radio_->isChecked();
}

WindowItem::WindowItem(TForm* form)
    : WidgetItemOf<WindowViewItem>(
          form, [form] { return form->windowTitle(); },
          [form](const QString& text) { form->setWindowTitle(text); }),
      form_(form) {}

void WindowItem::setWindowStateNormal() {
    form_->setWindowState(form_->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

// The outer size includes the window manager's frame. Where no frame is known
// yet (no window manager, or not yet shown), the classic frame the layout was
// drawn for is assumed: 3 pixels each side, a 23-pixel caption.
void WindowItem::setOuterSize(int width, int height) {
    QSize frame = form_->frameGeometry().size() - form_->size();
    if (frame.width() <= 0 && frame.height() <= 0) {
        frame = QSize(6, 26);
    }
    form_->setFixedSize(width - frame.width(), height - frame.height());
}

void WindowItem::showAndBringForward() {
    form_->showAndActivate();
}

} // namespace tarvelo
