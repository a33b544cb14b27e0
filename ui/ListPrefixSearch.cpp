// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListPrefixSearch.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

namespace tarvelo {

ListPrefixSearch::ListPrefixSearch(QComboBox* list) : QObject(list), list_(list) {
    list->installEventFilter(this);
}

void ListPrefixSearch::startAfreshIfIdle() {
    if (!sinceLastKey_.isValid() ||
        sinceLastKey_.elapsed() >= QApplication::keyboardInputInterval()) {
        searchText_.clear();
    }
    sinceLastKey_.restart();
}

bool ListPrefixSearch::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_ || event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Backspace) {
        startAfreshIfIdle();
        searchText_.chop(1);
        return true;
    }
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.front().isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        return QObject::eventFilter(watched, event);
    }
    startAfreshIfIdle();
    const QString candidate = searchText_ + typed;
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->itemText(i).startsWith(candidate, Qt::CaseInsensitive)) {
            searchText_ = candidate;
            list_->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

} // namespace tarvelo
