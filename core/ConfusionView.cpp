// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfusionView.h"

#include "BreedCatalogue.h"

#include <exception>

namespace tarvelo {

std::optional<int> breedNamed(std::string_view text) {
    for (int breed = 0; breed < breedCount; ++breed) {
        if (BreedCatalogue::answers[static_cast<std::size_t>(breed)] == text) {
            return breed;
        }
    }
    return std::nullopt;
}

std::optional<int> confusedBreed(const QuizView& view, int asked) {
    for (const std::string& text : {view.ComboBox1.text(), view.Edit1.text()}) {
        const std::optional<int> named = breedNamed(text);
        if (named && *named != asked) {
            return named;
        }
    }
    return std::nullopt;
}

void showConfusion(ConfusionView& view, int other, const PhotoLookup& lookup) {
    view.ConfusedName.setText(std::string(answerName(other)));
    view.ConfusedName.setVisible(true);
    view.ConfusedFrame.setVisible(false);
    if (!pictureAvailable(other)) {
        return;
    }
    try {
        view.ConfusedImage.loadPicture(photoPath(other, photosOfBreed(other, lookup).front()));
        view.ConfusedFrame.setVisible(true);
    } catch (const std::exception&) {
        // The comparison only helps; a missing photograph of the other breed
        // leaves its name, and the correction, as they are.
    }
}

void hideConfusion(ConfusionView& view) {
    view.ConfusedName.setVisible(false);
    view.ConfusedFrame.setVisible(false);
}

} // namespace tarvelo
