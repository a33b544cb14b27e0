// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedCatalogue.h"
#include "BreedSources.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

using namespace tarvelo;

TEST(Catalogue, FirstPictureIsCharolaisAndPathsHaveNoLeadingZeros) {
    EXPECT_EQ(answerName(0), "Charolais");
    EXPECT_EQ(answerName(18), "Brown Swiss");
    // Folder obr, folder 0, then the file, in the platform's own separators.
    const std::filesystem::path folder = std::filesystem::path("obr") / "0";
    EXPECT_EQ(std::filesystem::path(picturePath(0)), folder / "0.jpg");
    EXPECT_EQ(std::filesystem::path(picturePath(5)), folder / "5.jpg");
    EXPECT_EQ(std::filesystem::path(picturePath(12)), folder / "12.jpg");
    EXPECT_EQ(std::filesystem::path(picturePath(18)), folder / "18.jpg");
    EXPECT_THROW(answerName(19), std::out_of_range);
    EXPECT_THROW(answerName(-1), std::out_of_range);
}

TEST(Catalogue, ListOrderPutsChAfterH) {
    const auto list = choiceList();
    ASSERT_EQ(list.size(), 19u);
    EXPECT_EQ(BreedCatalogue::lastChoiceIndex, 18);
    EXPECT_EQ(list.front(), "Aberdeen Angus");
    EXPECT_EQ(list.back(), "Salers");
    const auto charolais = std::find(list.begin(), list.end(), "Charolais");
    ASSERT_NE(charolais, list.end());
    EXPECT_EQ(*(charolais - 1), "Holštýnský skot");
    EXPECT_EQ(*(charolais + 1), "Jersey");
}

TEST(Catalogue, EveryChoiceMatchesExactlyOneAnswer) {
    std::set<int> matched;
    for (const auto& choice : choiceList()) {
        int matches = 0;
        for (int i = 0; i < breedCount; ++i) {
            if (answerName(i) == choice) {
                ++matches;
                matched.insert(i);
            }
        }
        EXPECT_EQ(matches, 1) << choice;
    }
    EXPECT_EQ(matched.size(), 19u);
}

TEST(Catalogue, TextsAreExactUtf8Bytes) {
    // The sign after "Blonde d" is U+00B4 (C2 B4), not an apostrophe.
    EXPECT_EQ(answerName(2), "Blonde d\xC2\xB4 Aquitaine = Plav\xC3\xA9 akvit\xC3\xA1"
                             "nsk\xC3\xA9");
    EXPECT_EQ(answerName(3), "Masn\xC3\xBD siment\xC3\xA1l");
    EXPECT_EQ(answerName(12), "\xC4\x8C"
                              "esk\xC3\xBD strakat\xC3\xBD skot");
}

TEST(Catalogue, AllPicturesAvailableAndNothingOutside) {
    for (int i = 0; i < breedCount; ++i) {
        EXPECT_TRUE(pictureAvailable(i)) << i;
    }
    EXPECT_FALSE(pictureAvailable(-1));
    EXPECT_FALSE(pictureAvailable(19));
}

TEST(Catalogue, EachBreedIsLookedForUnderItsOwnArticle) {
    // The articles follow the picture order: a slip would fill a breed with
    // another breed's photographs.
    EXPECT_EQ(breedSource(0).article, "Charolais cattle");
    EXPECT_EQ(breedSource(3).article, "Simmental cattle"); // "Masný simentál"
    EXPECT_EQ(breedSource(5).article, "Belgian Blue");     // "Belgické modro-bílé"
    EXPECT_EQ(breedSource(12).site, "cswiki");
    EXPECT_EQ(breedSource(12).article, answerName(12));
    EXPECT_EQ(breedSource(14).article, "Holstein Friesian cattle");
    EXPECT_EQ(breedSource(17).article, "Ayrshire cattle"); // "Ayshirský skot"
    EXPECT_EQ(breedSource(18).article, "Brown Swiss cattle");
    EXPECT_THROW(breedSource(19), std::out_of_range);
    for (int breed = 0; breed < breedCount; ++breed) {
        const BreedSource& source = breedSource(breed);
        // Every breed can at least be searched for; an article needs its site.
        EXPECT_FALSE(source.searchWords.empty()) << breed;
        EXPECT_EQ(source.site.empty(), source.article.empty()) << breed;
    }
    // Red Holstein alone has no article: it is only searched for.
    EXPECT_TRUE(breedSource(15).article.empty());
}
