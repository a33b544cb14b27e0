// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Which picture set is played and which is edited, for every program that
// needs to know: the launchers of the menu entry and the Start-menu shortcut,
// and tarvelo-photos. A picture set is a folder holding obr/0 (0.jpg .. 18.jpg),
// which the quiz plays from its working directory. Texts are Czech, in UTF-8.
namespace tarvelo {

enum class PictureSetKind {
    Unzipped, // an unzipped Tarvelo's own folder, which its quiz plays
    Own,      // the user's own set
    Class,    // the set an administrator put on the machine for every account
    Bundled,  // the drawings installed with the program
};

struct PictureSetChoice {
    std::filesystem::path folder;
    PictureSetKind kind;
};

// Every place a set of this account and program may be in, looked up once.
struct PictureSetPlaces {
    // The programs' folder when it holds kresby (the drawings an unzipped
    // Tarvelo keeps apart, so that its obr/0 can hold the teacher's set).
    std::filesystem::path unzipped;
    std::filesystem::path own;                    // empty when the system names none
    std::vector<std::filesystem::path> classSets; // the first trusted one holding a set wins
    std::filesystem::path classSetHome;           // where the class set is written
    // The set installed with the programs: for a program in a build tree the
    // source tree's data, else the first installed one holding the drawings,
    // else where an install puts them.
    std::filesystem::path bundled;
    // The drawings (0.jpg .. 18.jpg) a new set is made from and that come
    // back for a photograph taken out: kresby in an unzipped Tarvelo, else the
    // bundled set's obr/0. Empty when they are not found.
    std::filesystem::path drawings;
};

// The places for the programs in programFolder (the folder of tarvelo and
// tarvelo-photos), this system and this account.
PictureSetPlaces pictureSetPlaces(const std::filesystem::path& programFolder);

// Whether folder holds a picture set (an obr/0 folder).
bool holdsPictureSet(const std::filesystem::path& folder);

// The set the launchers start the quiz in: an unzipped Tarvelo's folder; else
// the own set if it holds one; else the first trusted class set that does
// (classSetTrusted: one that is not the system's is passed over); else the
// bundled set.
PictureSetChoice choosePictureSet(const PictureSetPlaces& places);

// What tarvelo-photos works on.
struct EditedSet {
    std::filesystem::path folder;
    std::filesystem::path drawings;
    // Whether the window offers the choice between the own set and the class
    // set: when it edits one of them.
    bool offersClassSet = false;
    // Whether it is a class set, which every account plays: --class-set, or a
    // folder named that is one of classSetHome and classSets. What is
    // written there is made readable by all (PhotoSet::forEdited).
    bool everyAccount = false;
    // Why nothing may be edited (Czech); the folder is not to be touched then.
    std::optional<std::string> problem;
};

// The set tarvelo-photos edits: named, when a folder is named on its command
// line; the class set with classSet (which the caller does not combine with
// named); else the one the launchers play once it holds pictures: an unzipped
// Tarvelo's folder, else the own set. A problem when there is no own set or
// this user may not change the class set.
EditedSet editedSet(const PictureSetPlaces& places, const std::filesystem::path& named,
                    bool classSet);

// Whether this user may change the class set in folder; when not, the Czech
// sentence that says so and who may, or, where the folder is there but not
// the system's (classSetFolderGuarded), why it is not used.
std::optional<std::string> classSetRefusal(const std::filesystem::path& folder);

// The sentence classSetRefusal gives for a folder that is not the system's.
std::string classSetUnguardedText(const std::filesystem::path& folder);

// The sentence classSetRefusal gives for folder.
std::string classSetRefusalText(const std::filesystem::path& folder);

} // namespace tarvelo
