// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedPhotos.h"
#include "ViewItems.h"

#include <optional>
#include <string_view>

namespace tarvelo {

// Inside the correction panel (GroupBox3), beside the right name: the breed a
// wrong answer named, and a small photograph of it, so that the two can be
// compared. Kept apart from QuizView, which stays as the test has it.
struct ConfusionView {
    // The other breed's bare name (catalogue text); hidden when the answer
    // named no breed. The window adds its own caption and the Czech
    // description screen readers hear (confusionDescription in PracticeTexts.h).
    ViewItem& ConfusedName;
    // The small picture's frame: shown only while a photograph of the other
    // breed is loaded in ConfusedImage, so a stale one is never on view.
    ViewItem& ConfusedFrame;
    PictureViewItem& ConfusedImage;
};

// The breed whose catalogue name the text is, byte for byte, as answers are
// judged; nullopt for any other text.
std::optional<int> breedNamed(std::string_view text);

// The breed other than `asked` that the list's selection or the typed text
// names, in that order; nullopt when neither names another breed.
std::optional<int> confusedBreed(const QuizView& view, int asked);

// Shows `other` in the view: its name, and its first photograph in the set
// (as lookup finds it) in the frame. A photograph that fails to load leaves
// the frame hidden and the name shown; the correction itself is not spoilt.
void showConfusion(ConfusionView& view, int other, const PhotoLookup& lookup);
// Hides name and frame.
void hideConfusion(ConfusionView& view);

} // namespace tarvelo
