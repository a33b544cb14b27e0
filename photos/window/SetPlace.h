// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace tarvelo {

// The folder an unzipped Tarvelo keeps its drawings in, beside the programs,
// so that obr/0 there can hold the teacher's photographs.
inline constexpr char portableDrawingsFolder[] = "kresby";

struct SetPlace {
    QString root;        // holds obr/0, the set that is edited
    QString drawingsDir; // the bundled 0.jpg .. 18.jpg to go back to
    bool unzipped = false; // the set beside the programs of an unzipped Tarvelo
};

// Which set tarvelo-photos edits: the folder given on its command line when
// there is one; else, in an unzipped folder (one with kresby beside the
// program), that folder itself, which its quiz plays; else the set the menu
// entry or Start-menu shortcut plays.
SetPlace setPlace(const QString& commandLineFolder, const QString& programFolder);

// The machine's class set, which every account plays unless it has an own
// set, with the same drawings to go back to.
SetPlace classSetPlace(const QString& programFolder);

// Whether this user may change the class set in root; when not, the Czech
// sentence that says so and who may.
std::optional<QString> classSetRefusal(const QString& root);

} // namespace tarvelo
