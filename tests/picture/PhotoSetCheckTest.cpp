// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoSetCheck.h"

#include "BreedCatalogue.h"
#include "JpegFixtures.h"
#include "TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace tarvelo {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

TEST(PhotoSetCheck, ReportsEveryPhotographAndFailsOnAnyError) {
    fixtures::TempDir root;
    std::filesystem::create_directories(root.path() / "obr/0");
    fixtures::JpegRecipe recipe;
    recipe.width = 40;
    recipe.height = 30;
    for (int i = 0; i < 19; ++i)
        fixtures::writeFile(root.path() / "obr/0" / (std::to_string(i) + ".jpg"),
                            fixtures::makeJpeg(recipe));
    std::ostringstream out;
    fixtures::TempDir dump;
    EXPECT_TRUE(checkPhotoSet(root.path(), dump.path(), out));
    auto report = lines(out.str());
    ASSERT_EQ(report.size(), 19u);
    EXPECT_NE(report[0].find(picturePath(0) + "  40x30  "), std::string::npos) << report[0];
    EXPECT_EQ(report[0].substr(report[0].size() - 2), "OK");

    // The dump is a P6 image of the decoded size.
    std::ifstream ppm(dump.path() / "18.ppm", std::ios::binary);
    std::string magic;
    int w = 0, h = 0, max = 0;
    ppm >> magic >> w >> h >> max;
    EXPECT_EQ(magic, "P6");
    EXPECT_EQ(w, 40);
    EXPECT_EQ(h, 30);
    EXPECT_EQ(max, 255);

    fixtures::writeFile(root.path() / "obr/0/3.jpg", {});
    std::filesystem::remove(root.path() / "obr/0/7.jpg");
    std::ostringstream again;
    EXPECT_FALSE(checkPhotoSet(root.path(), std::nullopt, again));
    report = lines(again.str());
    ASSERT_EQ(report.size(), 19u);
    EXPECT_EQ(report[3].substr(report[3].size() - 14), "JPEG error #42");
    EXPECT_NE(report[7].find("Cannot open file \""), std::string::npos) << report[7];
}

} // namespace
} // namespace tarvelo
