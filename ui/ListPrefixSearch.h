// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QComboBox;

namespace tarvelo {

// Typing in a closed drop-down list selects the first entry that begins with
// what was typed, ignoring case; the typed text starts afresh after a pause
// of the keyboard input interval (500 ms). A key that extends the text to
// something no entry begins with gets the list's ordinary handling.
class ListPrefixSearch : public QObject {
    Q_OBJECT
public:
    explicit ListPrefixSearch(QComboBox* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startAfreshIfIdle();

    QComboBox* list_;
    QString searchText_;
    QElapsedTimer sinceLastKey_;
};

} // namespace tarvelo
