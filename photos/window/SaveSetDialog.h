// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SharedSet.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarvelo {

class PhotoSet;

// "Uložit sadu do souboru…": the name and a free note that travel with the
// set to the colleagues it is sent to. The name is needed: it names the file.
class SaveSetDialog : public QDialog {
    Q_OBJECT

public:
    explicit SaveSetDialog(QWidget* parent = nullptr);

    SharedSetInfo info() const;
    QLineEdit* nameField() const { return name_; }
    QPlainTextEdit* noteField() const { return note_; }
    QPushButton* saveButton() const { return save_; }

private:
    QLineEdit* name_;
    QPlainTextEdit* note_;
    QPushButton* save_;
};

// The whole of "Uložit sadu do souboru…" on set: asks for the name, the note
// and where to save NAME.tarvelo, writes it all or nothing and says how it
// went in a box. Returns what the window's status line says afterwards;
// empty when the teacher cancelled.
QString saveSetToFile(QWidget* parent, const PhotoSet& set);

} // namespace tarvelo
