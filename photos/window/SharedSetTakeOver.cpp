// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedSetTakeOver.h"

#include "MessageBoxes.h"
#include "SetReplacement.h"
#include "SetView.h"
#include "WindowText.h"

#include <optional>

namespace tarvelo {

SharedSetTakeOver::SharedSetTakeOver(QWidget* shared, QString shownName, PhotoSet unpacked)
    : shared_(shared), shownName_(std::move(shownName)), unpacked_(std::move(unpacked)) {}

SharedSetTakeOver::Outcome SharedSetTakeOver::into(PhotoSet target, bool forAll,
                                                   SetView& view) const {
    if (const auto refusal = takeOverRefusal(target, forAll)) {
        showError(shared_, *refusal);
        return Outcome::NotAsked;
    }
    if (!askYesNo(shared_, QStringLiteral("Fotografie ze sady „%1“ nahradí všechny dosavadní "
                                          "fotografie %2 ve složce %3. Pokračovat?")
                               .arg(shownName_,
                                    forAll ? QStringLiteral("sady pro všechny uživatele")
                                           : QStringLiteral("vaší sady"),
                                    quotedPath(target.root())))) {
        return Outcome::NotAsked;
    }
    std::optional<QString> failed;
    {
        const ThumbnailPause pause(view);
        failed = takeOverSharedSet(target, forAll, unpacked_);
    }
    if (failed) {
        showError(shared_, *failed);
        return Outcome::Failed;
    }
    return Outcome::Done;
}

QString SharedSetTakeOver::doneText(bool forAll) const {
    return QStringLiteral("Sada „%1“ je teď %2.")
        .arg(shownName_, forAll ? QStringLiteral("sadou pro všechny uživatele tohoto počítače")
                                : QStringLiteral("vaší sadou"));
}

} // namespace tarvelo
