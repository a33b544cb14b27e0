// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonsFill.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "CzechButtonBox.h"

#include <QDialog>
#include <QFormLayout>
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
    const CzechButtonBox buttons = makeCzechButtonBox(&dialog, QStringLiteral("Pokračovat"));
    auto* layout = new QFormLayout(&dialog);
    layout->addRow(QStringLiteral("Každé plemeno má mít aspoň tolik fotografií:"), count);
    layout->addRow(buttons.box);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return count->value();
}

} // namespace tarvelo
