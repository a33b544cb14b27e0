// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusyGuard.h"

#include "MessageBoxes.h"

#include <QLabel>

namespace tarvelo {

QString waitingText(Waiting waiting) {
    switch (waiting) {
    case Waiting::UntilStored:
        return QStringLiteral("Počkejte, až se fotografie uloží.");
    case Waiting::ForPrevious:
        return QStringLiteral("Počkejte, ještě se ukládá předchozí fotografie.");
    }
    return {};
}

BusyGuard::BusyGuard(std::function<bool()> busy, QLabel* status)
    : busy_(std::move(busy)), status_(status) {}

bool BusyGuard::refuses(Waiting waiting) const {
    if (!busy()) {
        return false;
    }
    status_->setText(waitingText(waiting));
    return true;
}

bool BusyGuard::refusesInBox(QWidget* parent) const {
    if (!busy()) {
        return false;
    }
    showInformation(parent, waitingText(Waiting::UntilStored));
    return true;
}

} // namespace tarvelo
