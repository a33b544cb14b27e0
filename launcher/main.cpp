// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-launch, what the menu entry (Linux) and the Start-menu shortcut
// (Windows) run. The quiz reads obr/0/<n>.jpg under its working directory, so
// this starts it in the set this user is to play: the one tarvelo-photos
// edits, once it holds pictures, else the class set, else the drawings.
#include "PictureSets.h"
#include "SetFolderRecovery.h"
#include "StartQuiz.h"

int main() {
    const std::filesystem::path programs = tarvelo::programFolder();
    const tarvelo::PictureSetPlaces places = tarvelo::pictureSetPlaces(programs);
    // A change of a set cut short by a kill is mended before a set is chosen:
    // between the two steps of a swap its obr may be missing.
    // The class set only where it is the system's: the launcher runs for
    // every account, administrators included.
    for (const auto& folder : {places.unzipped, places.own}) {
        tarvelo::recoverSetFolder(folder);
    }
    tarvelo::recoverClassSetFolder(places.classSetHome);
    const tarvelo::PictureSetChoice set = tarvelo::choosePictureSet(places);
    return tarvelo::startQuiz(programs, set.folder);
}
