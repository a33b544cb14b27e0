// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <vector>

// Where the quiz finds its pictures. A picture set is a folder holding obr/0.
// Three kinds, and the first found wins: the user's own set, then the class
// set an administrator put on the machine for every account, then the
// drawings installed with the program.
namespace tarvelo {

enum class PictureSetKind { Own, Class, Bundled };

struct PictureSetChoice {
    std::filesystem::path folder;
    PictureSetKind kind;
};

// The places to look in, in the order they win.
struct PictureSetPlaces {
    std::filesystem::path own;                    // empty when the system names none
    std::vector<std::filesystem::path> classSets; // the first trusted one holding a set wins
    std::filesystem::path bundled;
};

// The user's own set: %LOCALAPPDATA%\tarvelo on Windows; elsewhere
// $XDG_DATA_HOME/tarvelo, or ~/.local/share/tarvelo when that is unset or
// relative. Empty when neither is known.
std::filesystem::path ownSetFolder();

// The folders a class set is looked for in: %ProgramData%\tarvelo on Windows;
// elsewhere tarvelo under each absolute entry of $XDG_DATA_DIRS
// (/usr/local/share:/usr/share when it is unset or empty).
std::vector<std::filesystem::path> classSetFolders();

// The folder an administrator's class set is written to: %ProgramData%\tarvelo
// on Windows, /usr/local/share/tarvelo elsewhere.
std::filesystem::path classSetHome();

// Whether the set in folder may be played to this user as the class set. On
// Windows the folder, its obr and obr\0 and every file in obr\0 must belong to
// Administrators, SYSTEM or this user: a set another ordinary user put there
// is never played to everyone. Elsewhere only the system's administrator makes
// the folders of $XDG_DATA_DIRS, so any set found there is played.
bool classSetTrusted(const std::filesystem::path& folder);

// Whether this process may change the class set in folder: on Windows it runs
// with the Administrators group enabled (elevated) or as SYSTEM; elsewhere as
// root, or folder (or, while that does not exist, the nearest folder above it
// that does) is writable for it, as for a member of the folder's group.
bool mayWriteClassSet(const std::filesystem::path& folder);

// The places of this system and account, with bundled as the last one.
PictureSetPlaces pictureSetPlaces(const std::filesystem::path& bundled);

// Whether folder holds a picture set (an obr/0 folder).
bool holdsPictureSet(const std::filesystem::path& folder);

// The own set if it holds one, else the first trusted class set that does,
// else the bundled drawings.
PictureSetChoice choosePictureSet(const PictureSetPlaces& places);

} // namespace tarvelo
