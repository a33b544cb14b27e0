// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace tarvelo {

class PhotoSet;

// "Zdroje fotografií": every credited photograph of a set, by breed and
// number, with its author, licence and page, only to read (and to open the
// page in the browser). What a free licence asks for, in one place.
class PhotoSourcesDialog : public QDialog {
    Q_OBJECT

public:
    explicit PhotoSourcesDialog(const PhotoSet& set, QWidget* parent = nullptr);

    // Breed, photograph number, author, licence, page: one row a photograph.
    QTableWidget* table() const { return table_; }
    // The sentence shown instead when no photograph has a credit.
    QLabel* emptyLabel() const { return empty_; }
    QPushButton* closeButton() const { return close_; }

private:
    QTableWidget* table_;
    QLabel* empty_;
    QPushButton* close_;
};

// Shows the dialog over parent until it is closed.
void showPhotoSources(QWidget* parent, const PhotoSet& set);

} // namespace tarvelo
