// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CzechButtonBox.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace tarvelo {

CzechButtonBox makeCzechButtonBox(QDialog* dialog, const QString& acceptText) {
    // Qt's own OK and Cancel, for their places and roles on every desktop;
    // their texts would follow the system's language, so they are named here.
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QPushButton* accept = box->button(QDialogButtonBox::Ok);
    QPushButton* cancel = box->button(QDialogButtonBox::Cancel);
    accept->setText(acceptText);
    cancel->setText(QStringLiteral("Zrušit"));
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return {.box = box, .accept = accept, .cancel = cancel};
}

} // namespace tarvelo
