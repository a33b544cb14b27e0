// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QLabel;
class QWidget;

namespace tarvelo {

// What a refused action waits for while photographs are being stored: the
// stored ones to settle, or the import before it to end.
enum class Waiting {
    UntilStored, // "Počkejte, až se fotografie uloží."
    ForPrevious, // "Počkejte, ještě se ukládá předchozí fotografie."
};

QString waitingText(Waiting waiting);

// The one check every action that touches the set's files makes while an
// import may be moving them: whether the window is busy, and if so, telling
// the teacher to wait, in the status line or in a box over another window.
class BusyGuard {
public:
    BusyGuard(std::function<bool()> busy, QLabel* status);

    bool busy() const { return busy_(); }
    // True when busy, the waiting sentence then shown in the status line.
    bool refuses(Waiting waiting) const;
    // True when busy, the waiting sentence then shown in a box over parent.
    bool refusesInBox(QWidget* parent) const;

private:
    std::function<bool()> busy_;
    QLabel* status_;
};

} // namespace tarvelo
