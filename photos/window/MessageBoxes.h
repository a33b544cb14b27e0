// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace tarvelo {

// The message boxes of tarvelo-photos, under its title. Their texts quote
// names from files and folders, so a box shows its text as plain text,
// never guessed to be rich text (a name in markup would be drawn as such,
// its images loaded and its links live), without control and direction
// characters, within messageBounds. Returns the button pressed.
QMessageBox::StandardButton
showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::Ok);

void showError(QWidget* parent, const QString& text);
void showInformation(QWidget* parent, const QString& text);
// "Ano" and "Ne", "Ne" the default; true for "Ano".
bool askYesNo(QWidget* parent, const QString& text);

} // namespace tarvelo
