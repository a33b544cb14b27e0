// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonsFill.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

namespace tarvelo {

namespace {
// Three photographs of a breed already keep a class from learning one
// picture by heart, and take a few minutes to choose.
constexpr int suggestedCount = 3;
} // namespace

std::vector<int> breedsWithFewerThan(const PhotoSet& set, int count) {
    std::vector<int> breeds;
    for (int index = 0; index < breedCount; ++index) {
        if (set.photoCount(index) < count) {
            breeds.push_back(index);
        }
    }
    return breeds;
}

std::optional<int> askFillCount(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Doplnit z Wikimedia Commons"));
    auto* count = new QSpinBox(&dialog);
    count->setRange(1, maxPhotosPerBreed);
    count->setValue(suggestedCount);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("Pokračovat"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Zrušit"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QFormLayout(&dialog);
    layout->addRow(QStringLiteral("Každé plemeno má mít aspoň tolik fotografií:"), count);
    layout->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return count->value();
}

} // namespace tarvelo
