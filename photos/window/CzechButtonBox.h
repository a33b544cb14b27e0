// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialogButtonBox>
#include <QString>

class QDialog;
class QPushButton;

namespace tarvelo {

// The foot of the editor's dialogs: the button that goes on, named for what
// it does, and "Zrušit". The first is the dialog's default once it shows, so
// Enter presses it; Escape and "Zrušit" close the dialog unanswered.
struct CzechButtonBox {
    QDialogButtonBox* box;
    QPushButton* accept;
    QPushButton* cancel;
};

// A button box owned by dialog, accepting and rejecting it; placing it in a
// layout is the dialog's.
CzechButtonBox makeCzechButtonBox(QDialog* dialog, const QString& acceptText);

} // namespace tarvelo
