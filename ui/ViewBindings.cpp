// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewBindings.h"

#include "PracticeTexts.h"
#include "QuizRound.h"
#include "TForm.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <algorithm>
#include <memory>

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

WidgetItem questionItem(QLabel* label, QWidget* picture, std::function<QString()> description) {
    return {label, [label] { return label->text(); },
            [label, picture, description = std::move(description)](const QString& text) {
                showText(label, text);
                picture->setAccessibleDescription(description());
            }};
}

WidgetItem resultItem(QLabel* label) {
    const QFont stored = label->font();
    const QPoint place = label->pos();
    return {label, [label] { return label->text(); },
            [label, stored, place](const QString& text) {
                const QWidget* page = label->parentWidget();
                const int room = page->width() - 2 * place.x();
                label->setFont(stored);
                label->setWordWrap(false);
                label->move(place);
                if (QFontMetrics(stored).horizontalAdvance(text) <= room) {
                    showText(label, text);
                    return;
                }
                // Two lines between the page's title and its buttons.
                QFont smaller = stored;
                smaller.setPixelSize(15);
                label->setFont(smaller);
                label->setWordWrap(true);
                label->setText(text);
                label->setGeometry(place.x() - 12, place.y() - 12, room + 24, 48);
            }};
}

WidgetItem confusedNameItem(QWidget* panel, QLabel* label, QWidget* picture) {
    auto name = std::make_shared<QString>();
    return {panel, [name] { return *name; },
            [name, label, picture](const QString& text) {
                *name = text;
                const QString described =
                    QString::fromStdString(confusionDescription(text.toStdString()));
                showText(label, described);
                label->setAccessibleDescription(described);
                picture->setAccessibleName(QStringLiteral("Fotografie: ") + text);
            }};
}

WidgetItem frameItem(QWidget* widget) {
    return {widget, [] { return QString(); }, [](const QString&) {}};
}

NoticeItem::NoticeItem(std::function<QWidget*()> owner) : owner_(std::move(owner)) {}

void NoticeItem::setText(const std::string& text) {
    text_ = QString::fromStdString(text);
    if (box_ != nullptr) {
        box_->setText(text_);
    }
}

bool NoticeItem::visible() const {
    return box_ != nullptr && box_->isVisible();
}

void NoticeItem::setVisible(bool visible) {
    if (!visible) {
        if (box_ != nullptr) {
            box_->close();
        }
        return;
    }
    if (box_ == nullptr) {
        auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Tarvelo"), text_,
                                    QMessageBox::Ok, owner_());
        box->setTextFormat(Qt::PlainText); // it may quote a file's name
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::NonModal);
        box_ = box;
    }
    box_->show();
    box_->raise();
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
