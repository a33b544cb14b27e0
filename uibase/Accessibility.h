// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>

namespace tarvelo {

// A group box that screen readers announce when it appears: the correction
// after a wrong answer, the result after a round. Drawn like any group box;
// only the role it reports differs.
class AlertPanel : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // What is read out: the panel's name, then its labels in creation order,
    // e.g. "Oprava: Charolais, Chyb: 1/1".
    QString announcementText() const;

    bool announcementQueued_ = false;
};

// Tells Qt's accessibility layer how alert panels present themselves: as
// alerts (the picture box has installPictureBoxRole). Call before any window
// is built, because Qt keeps an interface once made.
void installAccessibleRoles();

} // namespace tarvelo
