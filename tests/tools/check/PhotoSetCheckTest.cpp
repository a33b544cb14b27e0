// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoSetCheck.h"

#include "AllocationLimit.h"
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "JpegDecompressor.h"
#include "JpegFixtures.h"
#include "JpegPicture.h"
#include "PictureFile.h"
#include "TempDir.h"
#include "Utf8Path.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tarvelo {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

// A set whose nineteen pictures are 40 x 30, made as `recipeFor` says for
// each; the files written, in order.
std::vector<fixtures::Bytes>
writeSet(const std::filesystem::path& root,
         const std::function<void(int, fixtures::JpegRecipe&)>& recipeFor = {}) {
    std::filesystem::create_directories(root / "obr/0");
    std::vector<fixtures::Bytes> files;
    for (int i = 0; i < 19; ++i) {
        fixtures::JpegRecipe recipe;
        recipe.width = 40;
        recipe.height = 30;
        if (recipeFor) {
            recipeFor(i, recipe);
        }
        files.push_back(fixtures::makeJpeg(recipe));
        fixtures::writeFile(root / "obr/0" / (std::to_string(i) + ".jpg"), files.back());
    }
    return files;
}

TEST(PhotoSetCheck, ReportsEveryPhotographAndFailsOnAnyError) {
    fixtures::TempDir root;
    writeSet(root.path());
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
    // A file of endless scans, as found on the web: refused, and the check
    // goes on to the next picture.
    fixtures::JpegRecipe endless;
    endless.width = 40;
    endless.height = 30;
    endless.progressive = true;
    fixtures::writeFile(root.path() / "obr/0/11.jpg",
                        fixtures::withScans(fixtures::makeJpeg(endless), maxJpegScans + 1));
    std::ostringstream again;
    EXPECT_FALSE(checkPhotoSet(root.path(), std::nullopt, again));
    report = lines(again.str());
    ASSERT_EQ(report.size(), 19u);
    EXPECT_EQ(report[3].substr(report[3].size() - 14), "JPEG error #42");
    EXPECT_NE(report[7].find("Cannot open file \""), std::string::npos) << report[7];
    EXPECT_EQ(report[11].substr(report[11].size() - 14), "JPEG error #16");
    EXPECT_EQ(report[12].substr(report[12].size() - 2), "OK");
}

TEST(PhotoSetCheck, EveryPhotographOfABreedHasItsOwnLineInOrder) {
    fixtures::TempDir root;
    fixtures::JpegRecipe recipe;
    recipe.width = 40;
    recipe.height = 30;
    for (int i = 0; i < 19; ++i) {
        std::filesystem::create_directories(root.path() / "obr/0");
        fixtures::writeFile(root.path() / pathFromUtf8(photoPath(i, 0)),
                            fixtures::makeJpeg(recipe));
    }
    // Breed 4 has three photographs with a gap (obr/1 and obr/5); breed 9
    // has one more that is damaged.
    recipe.width = 50;
    for (const int photo : {1, 5}) {
        std::filesystem::create_directories(root.path() / "obr" / std::to_string(photo));
        fixtures::writeFile(root.path() / pathFromUtf8(photoPath(4, photo)),
                            fixtures::makeJpeg(recipe));
    }
    fixtures::writeFile(root.path() / pathFromUtf8(photoPath(9, 1)), {0xff, 0xd8, 0xff});
    // A folder where a photograph would be is not one.
    std::filesystem::create_directories(root.path() / pathFromUtf8(photoPath(6, 5)));

    std::ostringstream out;
    fixtures::TempDir dump;
    EXPECT_FALSE(checkPhotoSet(root.path(), dump.path(), out));
    const auto report = lines(out.str());
    ASSERT_EQ(report.size(), 22u);
    EXPECT_EQ(report[4].substr(0, 4), " 4  ");
    EXPECT_NE(report[5].find(photoPath(4, 1) + "  50x30  "), std::string::npos) << report[5];
    EXPECT_NE(report[6].find(photoPath(4, 5) + "  50x30  "), std::string::npos) << report[6];
    EXPECT_EQ(report[6].substr(0, 4), " 4  ");
    EXPECT_EQ(report[8].substr(0, 4), " 6  ");
    EXPECT_EQ(report[9].substr(0, 4), " 7  ");
    EXPECT_NE(report[12].find(photoPath(9, 1)), std::string::npos) << report[12];
    EXPECT_NE(report[12].find("JPEG error"), std::string::npos) << report[12];
    EXPECT_EQ(report[13].substr(report[13].size() - 2), "OK");
    EXPECT_TRUE(std::filesystem::exists(dump.path() / "4.ppm"));
    EXPECT_TRUE(std::filesystem::exists(dump.path() / "4-5.ppm"));
}

// What no photograph is: a file far too large (a sparse terabyte where files
// can be sparse), a FIFO, and one whose bytes the memory cannot hold. Each
// gets its line at once and the check goes on with the others.
TEST(PhotoSetCheck, AFileTooLargeAPipeAndALackOfMemoryEachGetALineAndTheCheckGoesOn) {
    fixtures::TempDir root;
    std::filesystem::create_directories(root.path() / "obr/0");
    const auto photo = [&root](int index) {
        return root.path() / pathFromUtf8(picturePath(index));
    };
    for (int i = 0; i < 19; ++i) {
        fixtures::writeFile(photo(i), fixtures::makeJpeg({.width = 40, .height = 30}));
    }
#ifdef _WIN32
    std::filesystem::resize_file(photo(3), maxPictureFileBytes + 1);
#else
    std::filesystem::resize_file(photo(3), 1ULL << 40);
    std::filesystem::remove(photo(5));
    ASSERT_EQ(::mkfifo(photo(5).c_str(), 0644), 0);
#endif
    // A photograph followed by 4 MiB of nothing: it loads as one allocation.
    std::filesystem::resize_file(photo(8), 4 << 20);

    std::ostringstream out;
    {
        const fixtures::AllocationLimit shortOfMemory(2 << 20);
        EXPECT_FALSE(checkPhotoSet(root.path(), std::nullopt, out));
    }
    const auto report = lines(out.str());
    ASSERT_EQ(report.size(), 19u);
    EXPECT_NE(report[3].find("  -  -  Cannot open file \""), std::string::npos) << report[3];
#ifndef _WIN32
    EXPECT_EQ(report[3].substr(report[3].size() - 16), ". File too large") << report[3];
    EXPECT_NE(report[5].find("  -  -  Cannot open file \""), std::string::npos) << report[5];
    EXPECT_EQ(report[5].substr(report[5].size() - 25), ". Operation not supported") << report[5];
#endif
    EXPECT_NE(report[8].find(picturePath(8) + "  -  -  nedostatek paměti"), std::string::npos)
        << report[8];
    for (std::size_t i : {0u, 4u, 7u, 9u, 18u}) {
        EXPECT_EQ(report[i].substr(report[i].size() - 4), "  OK") << report[i];
    }

    // With the memory back, the long one shows.
    std::ostringstream again;
    checkPhotoSet(root.path(), std::nullopt, again);
    const auto after = lines(again.str());
    ASSERT_EQ(after.size(), 19u);
    EXPECT_EQ(after[8].substr(after[8].size() - 4), "  OK") << after[8];
}

struct Ppm {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

Ppm readPpm(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int max = 0;
    Ppm ppm;
    in >> magic >> ppm.width >> ppm.height >> max;
    in.get();
    EXPECT_EQ(magic, "P6");
    EXPECT_EQ(max, 255);
    ppm.rgb.resize(static_cast<std::size_t>(ppm.width * ppm.height * 3));
    in.read(reinterpret_cast<char*>(ppm.rgb.data()), static_cast<std::streamsize>(ppm.rgb.size()));
    EXPECT_TRUE(in) << path;
    return ppm;
}

TEST(PhotoSetCheck, TurnedPhotographsAreDumpedUprightAndTheirLinesSaySo) {
    fixtures::TempDir root;
    const std::vector<fixtures::Bytes> files =
        writeSet(root.path(), [](int i, fixtures::JpegRecipe& r) {
            if (i == 0) { // a portrait 30 x 40 stored on its side
                r.width = 30;
                r.height = 40;
                r.orientation = 6;
            }
            if (i == 1) {
                r.orientation = 3;
            }
            if (i == 2) {
                r.orientation = 7;
                r.exifByteOrder = fixtures::ByteOrder::Big;
            }
            if (i == 4) {
                r.orientation = 1;
            }
        });
    std::ostringstream out;
    fixtures::TempDir dump;
    EXPECT_TRUE(checkPhotoSet(root.path(), dump.path(), out));
    const auto report = lines(out.str());
    ASSERT_EQ(report.size(), 19u);
    EXPECT_NE(report[0].find(picturePath(0) +
                             "  30x40 (stored 40x30, Exif orientation 6: turned 90 degrees "
                             "clockwise)  "),
              std::string::npos)
        << report[0];
    EXPECT_NE(report[1].find("  40x30 (Exif orientation 3: turned 180 degrees)  "),
              std::string::npos)
        << report[1];
    EXPECT_NE(report[2].find("  40x30 (stored 30x40, Exif orientation 7: turned 90 degrees "
                             "clockwise and mirrored top to bottom)  "),
              std::string::npos)
        << report[2];
    for (std::size_t i : {0u, 1u, 2u, 3u, 4u}) {
        EXPECT_EQ(report[i].substr(report[i].size() - 4), "  OK") << report[i];
    }
    // As stored, or orientation 1: the line is as it always was.
    for (std::size_t i : {3u, 4u}) {
        EXPECT_NE(report[i].find(picturePath(static_cast<int>(i)) + "  40x30  "), std::string::npos)
            << report[i];
    }

    for (int i : {0, 1, 2, 4}) {
        SCOPED_TRACE(i);
        const Ppm ppm = readPpm(dump.path() / (std::to_string(i) + ".ppm"));
        auto picture = JpegPicture::fromBytes(files[static_cast<std::size_t>(i)]);
        picture.decodeRaster();
        const Raster& raster = *picture.raster();
        const int orientation = static_cast<int>(picture.orientation());
        ASSERT_EQ(ppm.width, picture.uprightWidth());
        ASSERT_EQ(ppm.height, picture.uprightHeight());
        int wrong = 0;
        for (int y = 0; y < raster.height; ++y) {
            for (int x = 0; x < raster.width; ++x) {
                const auto [vx, vy] =
                    fixtures::viewedPosition(orientation, x, y, raster.width, raster.height);
                const std::uint8_t* stored = raster.row(y) + 3 * x;
                const std::uint8_t* dumped =
                    ppm.rgb.data() + 3 * static_cast<std::size_t>(vy * ppm.width + vx);
                wrong += dumped[0] != stored[2] || dumped[1] != stored[1] || dumped[2] != stored[0];
            }
        }
        EXPECT_EQ(wrong, 0);
        // The red quadrant is at the top left, as the pattern is viewed.
        const std::uint8_t* topLeft = ppm.rgb.data() + 3 * (2 * ppm.width + 2);
        EXPECT_GT(topLeft[0], 150);
        EXPECT_LT(topLeft[1], 80);
    }
}

} // namespace
} // namespace tarvelo
