// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What this system and account say about where picture sets live and who may
// change them. PictureSets.h decides over these; texts are Czech, in UTF-8.
namespace tarvelo {

// The user's own set: %LOCALAPPDATA%\tarvelo on Windows; elsewhere
// $XDG_DATA_HOME/tarvelo, or ~/.local/share/tarvelo when that is unset or
// relative. Empty when neither is known: the user has no own set then.
std::filesystem::path ownSetFolder();

// Why ownSetFolder() is empty, as the end of a Czech sentence.
std::string whyNoOwnSet();

// The folders a class set is looked for in: %ProgramData%\tarvelo on Windows;
// elsewhere tarvelo under each absolute entry of $XDG_DATA_DIRS
// (/usr/local/share:/usr/share when it is unset or empty).
std::vector<std::filesystem::path> classSetFolders();

// The folder an administrator's class set is written to: %ProgramData%\tarvelo
// on Windows, /usr/local/share/tarvelo elsewhere.
std::filesystem::path classSetHome();

// Whether folder, where a class set is, is the system's: a folder, not a
// link, junction or other reparse point, owned by root (Windows:
// Administrators or SYSTEM) or by this account itself, in which nobody else
// may write. On Linux that is no write bit for others, and one for the group
// only where the group may write in the folder above as well (as staff may in
// Debian's /usr/local/share), which gives it this folder anyway. On Windows
// the DACL grants the right to write only to Administrators, SYSTEM,
// TrustedInstaller and this account. A class set's folder that is not so is
// neither played, nor mended, nor written to: another account may have made
// it, or may swap a link into it while it is walked.
bool classSetFolderGuarded(const std::filesystem::path& folder);

// Whether the set in folder may be played to this user as the class set: the
// folder, its obr and every obr/K there is are guarded (classSetFolderGuarded);
// on Windows every file in them must belong to Administrators, SYSTEM or this
// user besides. A set another ordinary user put there is never played to
// everyone.
bool classSetTrusted(const std::filesystem::path& folder);

// Whether this process may change the class set in folder: on Windows it runs
// with the Administrators group enabled (elevated) or as SYSTEM; elsewhere as
// root, or folder (or, while that does not exist, the nearest folder above it
// that does) is writable for it, as for a member of the folder's group.
bool mayWriteClassSet(const std::filesystem::path& folder);

// Makes folder, where the class set is written, ready for it, as the
// installers leave %ProgramData%\tarvelo: made where missing, with the
// folders above it that are missing, readable by every account whatever the
// umask (rwxr-xr-x, and group-writable where the folder above is, as Debian's
// /usr/local/share is for staff). On Windows it gets rights of its own besides, not
// inherited from %ProgramData%, where any user may create folders: owned by
// Administrators, full control for them and SYSTEM, read and execute for
// Users, passed on to everything in it. A folder that is there already is
// taken only where it is a folder, not a link or junction, owned by root
// (Administrators or SYSTEM) or this account; one that has rights of its own
// then keeps them, as it does its mode elsewhere. The Czech sentence that says
// why when that fails.
std::optional<std::string> prepareClassSetFolder(const std::filesystem::path& folder);

// Who may change the class set, as one Czech sentence.
std::string whoMayWriteClassSet();

// Where the set installed with the programs in programFolder may be, best
// first. Linux: <datadir>/tarvelo beside the programs' bin folder, then the
// configured prefix's. Windows: programFolder itself, which holds obr\0.
std::vector<std::filesystem::path> installedSetFolders(const std::filesystem::path& programFolder);

} // namespace tarvelo
