// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StudyDeck.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tarvelo {

class PictureBox;

// "Prohlížení": the set's photographs one at a time, each breed's name hidden
// until Space or Enter ("Ukázat název"), Left and Right (or Up and Down) for
// the previous and the next, and under a photograph that has a credit its
// author, licence and page as plain text. Nothing here is scored or kept.
class StudyWindow : public QWidget {
    Q_OBJECT
public:
    // `closed` runs when the player closes the window (title bar, Escape,
    // "Zavřít"); the start window comes back then.
    StudyWindow(StudyDeck deck, std::function<void()> closed);

    void showName();
    void showNext();
    void showPrevious();
    void setMixed(bool mixed);

    const StudyDeck& deck() const { return deck_; }

    PictureBox* Image;
    QLabel* Position;
    QGroupBox* NamePanel;
    QLabel* Name;
    QLabel* Credit;
    QPushButton* Previous;
    QPushButton* Reveal;
    QPushButton* Next;
    QCheckBox* Mixed;
    QPushButton* Close;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showCard();

    StudyDeck deck_;
    std::function<void()> closed_;
};

} // namespace tarvelo
