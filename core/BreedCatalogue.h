// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

inline constexpr int breedCount = 19;

// The program's whole body of knowledge, fixed at build time. Texts are UTF-8
// and every comparison with them is byte for byte.
struct BreedCatalogue {
    // Accepted name of each photograph, in picture order: answers[i] is the only
    // right answer for obr/0/i.jpg.
    static constexpr std::array<std::string_view, breedCount> answers{
        "Charolais",
        "Salers",
        "Blonde d\u00B4 Aquitaine = Plavé akvitánské", // U+00B4 acute accent, not an apostrophe
        "Masný simentál",
        "Hereford",
        "Belgické modro-bílé",
        "Aberdeen Angus",
        "Gasconne",
        "Piemontese",
        "Limousine",
        "Highland Cattle",
        "Galloway",
        "Český strakatý skot",
        "Montebeliard",
        "Holštýnský skot",
        "Red holštýn",
        "Jersey",
        "Ayshirský skot",
        "Brown Swiss",
    };

    // The same names in the order the answer list shows them (Czech order,
    // "Ch" after "H"); never sorted at run time.
    static constexpr std::array<std::string_view, breedCount> choices{
        "Aberdeen Angus",
        "Ayshirský skot",
        "Belgické modro-bílé",
        "Blonde d\u00B4 Aquitaine = Plavé akvitánské",
        "Brown Swiss",
        "Český strakatý skot",
        "Galloway",
        "Gasconne",
        "Hereford",
        "Highland Cattle",
        "Holštýnský skot",
        "Charolais",
        "Jersey",
        "Limousine",
        "Masný simentál",
        "Montebeliard",
        "Piemontese",
        "Red holštýn",
        "Salers",
    };

    // A photograph is loaded only when its flag equals 1.
    static constexpr std::array<int, breedCount> pictureAvailable{
        1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    };

    static constexpr int lastChoiceIndex = 18;
};

// answers[index]; throws std::out_of_range outside 0..18.
std::string_view answerName(int index);

// choices[0] .. choices[lastChoiceIndex], in list order.
std::vector<std::string> choiceList();

// True when the flag of index equals 1; false for any index outside the catalogue.
bool pictureAvailable(int index);

// Relative path of photograph index, resolved against the working directory:
// obr\0\<index>.jpg on Windows, obr/0/<index>.jpg elsewhere.
std::string picturePath(int index);

} // namespace tarvelo
