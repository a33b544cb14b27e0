// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxes.h"

#include "ForeignText.h"
#include "PhotosApplication.h"

#include <QAbstractButton>

namespace tarvelo {

QMessageBox::StandardButton showMessage(QWidget* parent, QMessageBox::Icon icon,
                                        const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, photosTitle(), QString(), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setText(plainText(text, messageBounds));
    if (QAbstractButton* yes = box.button(QMessageBox::Yes)) {
        yes->setText(QStringLiteral("Ano"));
    }
    if (QAbstractButton* no = box.button(QMessageBox::No)) {
        no->setText(QStringLiteral("Ne"));
    }
    if (buttons.testFlag(defaultButton)) {
        box.setDefaultButton(defaultButton);
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void showError(QWidget* parent, const QString& text) {
    showMessage(parent, QMessageBox::Critical, text);
}

void showInformation(QWidget* parent, const QString& text) {
    showMessage(parent, QMessageBox::Information, text);
}

bool askYesNo(QWidget* parent, const QString& text) {
    return showMessage(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                       QMessageBox::No) == QMessageBox::Yes;
}

} // namespace tarvelo
