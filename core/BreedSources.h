// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedCatalogue.h"

#include <array>
#include <string_view>

namespace tarvelo {

// Where free photographs of a breed are looked for: the Wikipedia article
// whose Wikidata item names the breed's Commons category, and the words a
// search of Commons' files is made with when the category has too few.
struct BreedSource {
    // Wikidata's site id of the Wikipedia ("enwiki"); empty with no article.
    std::string_view site;
    // The article's title on that site, UTF-8.
    std::string_view article;
    // What Commons' file search is asked for, UTF-8.
    std::string_view searchWords;
};

// In the catalogue's picture order: breedSources[i] is the breed of
// BreedCatalogue::answers[i].
inline constexpr std::array<BreedSource, breedCount> breedSources{{
    {"enwiki", "Charolais cattle", "Charolais cattle"},
    {"enwiki", "Salers cattle", "Salers cattle"},
    {"enwiki", "Blonde d'Aquitaine", "Blonde d'Aquitaine cattle"},
    {"enwiki", "Simmental cattle", "Simmental cattle"},
    {"enwiki", "Hereford cattle", "Hereford cattle"},
    {"enwiki", "Belgian Blue", "Belgian Blue cattle"},
    {"enwiki", "Aberdeen Angus", "Aberdeen Angus cattle"},
    {"enwiki", "Gasconne", "Gasconne cattle"},
    {"enwiki", "Piedmontese cattle", "Piedmontese cattle"},
    {"enwiki", "Limousin cattle", "Limousin cattle"},
    {"enwiki", "Highland cattle", "Highland cattle"},
    {"enwiki", "Galloway cattle", "Galloway cattle"},
    // Czech Fleckvieh has no English article of its own.
    {"cswiki", "Český strakatý skot", "Czech Fleckvieh cattle"},
    {"enwiki", "Montbéliarde", "Montbéliarde cattle"},
    {"enwiki", "Holstein Friesian cattle", "Holstein Friesian cattle"},
    // Red Holstein has no article anywhere that names a category.
    {"", "", "Red Holstein cattle"},
    {"enwiki", "Jersey cattle", "Jersey cattle"},
    {"enwiki", "Ayrshire cattle", "Ayrshire cattle"},
    {"enwiki", "Brown Swiss cattle", "Brown Swiss cattle"},
}};

// breedSources[index]; throws std::out_of_range outside 0..18.
const BreedSource& breedSource(int index);

} // namespace tarvelo
