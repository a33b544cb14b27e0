// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoCredit.h"

#include <QDialog>
#include <QString>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tarvelo {

class PhotoSet;

// "Autor a licence…": who took a photograph and under what licence, as the
// teacher says it, for their own photograph or one from Commons.
class OwnCreditDialog : public QDialog {
    Q_OBJECT

public:
    // Prefilled from current, the credit the photograph has now.
    explicit OwnCreditDialog(const std::optional<PhotoCredit>& current, QWidget* parent = nullptr);

    QLineEdit* authorField() const { return author_; }
    QComboBox* licenceField() const { return licence_; }
    QPushButton* okButton() const { return ok_; }

    // The credit as filled in: a photograph from Commons keeps its page, and
    // its licence's link while the licence stays the same. Nothing when the
    // author was left empty: the photograph then has no credit.
    std::optional<PhotoCredit> credit() const;

private:
    std::optional<PhotoCredit> current_;
    QLineEdit* author_;
    QComboBox* licence_;
    QPushButton* ok_;
};

// The whole of "Autor a licence…" for the photograph at path in set: the
// dialog, then the credit recorded, replaced or, with no author, taken away.
// A failure is said in the program's box. Returns what the status line says
// afterwards; empty when the teacher cancelled or nothing changed.
QString editOwnCredit(QWidget* parent, const PhotoSet& set, const QString& path);

} // namespace tarvelo
