// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

// A breed may have several photographs, so that pupils learn the breed and
// not one picture of it: obr/0/N.jpg, obr/1/N.jpg, ... obr/9/N.jpg.
inline constexpr int maxPhotosPerBreed = 10;

// Relative path of photograph `photo` (0 .. 9) of breed `index`, in the
// system's own form: obr\<photo>\<index>.jpg on Windows, obr/<photo>/<index>.jpg
// elsewhere. Photograph 0 is picturePath(index).
std::string photoPath(int index, int photo);

// Beside obr/0 .. obr/9 in obr: who took the set's photographs and under
// what licence (photos/set/SetCredits.h). The quiz never reads it.
inline constexpr std::string_view setCreditsFileName = "tarvelo-credits.json";

// Whether a file is there to be read; it is never opened, only looked up.
using PhotoLookup = std::function<bool(const std::string& path)>;

// A regular file at path, relative to the working directory.
bool photoFileExists(const std::string& path);

// The photographs of breed `index` the set holds, as numbers 0 .. 9 in order;
// a set made by hand may have gaps. When none is there, photograph 0 stands
// for the breed all the same, so loading it fails on the path it always did.
std::vector<int> photosOfBreed(int index, const PhotoLookup& exists);

} // namespace tarvelo
