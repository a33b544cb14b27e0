// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"

#include <QString>

class QWidget;

namespace tarvelo {

class SetView;

// "Použít jako moji sadu" and "Použít pro všechny uživatele tohoto
// počítače": a shared set, shown in a window of its own, replaces the
// photographs of the user's own set or of the class set, after the teacher
// said "Ano" in a box over that window, which also tells why it cannot be.
class SharedSetTakeOver {
public:
    enum class Outcome {
        NotAsked, // refused before anything was written, or "Ne"
        Failed,   // said in a box; part of it may be written
        Done,
    };

    // shared is the window showing unpacked under shownName.
    SharedSetTakeOver(QWidget* shared, QString shownName, PhotoSet unpacked);

    // Puts the shared set's photographs into target, the class set when
    // forAll; view opens none of the set's files meanwhile.
    Outcome into(PhotoSet target, bool forAll, SetView& view) const;
    // The status line's sentence once it is done.
    QString doneText(bool forAll) const;

private:
    QWidget* shared_;
    QString shownName_;
    PhotoSet unpacked_;
};

} // namespace tarvelo
