// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"

#include <QGroupBox>

class QRadioButton;

namespace tarvelo {

class BusyGuard;

// "Sada": the choice between the user's own set ("jen pro mě") and the
// machine's class set ("pro všechny uživatele tohoto počítače"). Choosing
// the class set is refused, the choice put back and nothing else changed,
// for a user who may not write it, and so is any choice while the window is
// busy storing photographs.
class SetChoice : public QGroupBox {
    Q_OBJECT

public:
    SetChoice(PhotoSet own, PhotoSet forAll, bool onClassSet, const BusyGuard& busy,
              QWidget* parent = nullptr);

    QRadioButton* ownButton() const { return own_; }
    QRadioButton* forAllButton() const { return forAll_; }
    // The class set when forAll, else the own set.
    const PhotoSet& set(bool forAll) const { return forAll ? forAllSet_ : ownSet_; }
    // Whether this user may write the class set.
    bool mayWriteForAll() const;
    // Marks the set now edited, as when a shared set was taken over into it,
    // without choosing anything.
    void showEdited(bool forAll);

signals:
    // The set chosen, to be edited now.
    void chosen(const tarvelo::PhotoSet& set);
    // The class set was refused: the Czech reason.
    void refused(const QString& reason);

private:
    void choose(bool forAll);

    PhotoSet ownSet_;
    PhotoSet forAllSet_;
    const BusyGuard& busy_;
    QRadioButton* own_;
    QRadioButton* forAll_;
};

} // namespace tarvelo
