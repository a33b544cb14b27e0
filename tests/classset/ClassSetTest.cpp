// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The order in which picture sets win, on folders this test makes (and so
// owns: on Windows the class set's owner check lets them through).
#include "ClassSet.h"

#include "TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

class PictureSetOrder : public ::testing::Test {
protected:
    fixtures::TempDir temp;
    fs::path own = temp.path() / u8"vlastní";
    fs::path classA = temp.path() / u8"třída a";
    fs::path classB = temp.path() / "class b";
    fs::path bundled = temp.path() / "bundled";

    static void makeSet(const fs::path& folder) { fs::create_directories(folder / "obr" / "0"); }
    PictureSetChoice choose() const { return choosePictureSet({own, {classA, classB}, bundled}); }
};

TEST_F(PictureSetOrder, BundledWhenNoOtherSetExists) {
    makeSet(bundled);
    const auto choice = choose();
    EXPECT_EQ(choice.folder, bundled);
    EXPECT_EQ(choice.kind, PictureSetKind::Bundled);
}

TEST_F(PictureSetOrder, FoldersWithoutObr0AreNoSets) {
    fs::create_directories(own / "obr");
    fs::create_directories(classA);
    fs::create_directories(classB / "obr" / "1");
    EXPECT_EQ(choose().kind, PictureSetKind::Bundled);
}

TEST_F(PictureSetOrder, FirstClassSetBeatsLaterOnesAndBundled) {
    makeSet(classB);
    EXPECT_EQ(choose().folder, classB);
    makeSet(classA);
    const auto choice = choose();
    EXPECT_EQ(choice.folder, classA);
    EXPECT_EQ(choice.kind, PictureSetKind::Class);
}

TEST_F(PictureSetOrder, OwnSetBeatsClassSet) {
    makeSet(classA);
    makeSet(own);
    const auto choice = choose();
    EXPECT_EQ(choice.folder, own);
    EXPECT_EQ(choice.kind, PictureSetKind::Own);
}

TEST_F(PictureSetOrder, ClassSetWithPicturesIsTrustedWhenItsMakerRunsTheQuiz) {
    makeSet(classA);
    std::ofstream(classA / "obr" / "0" / "0.jpg") << "picture";
    EXPECT_TRUE(classSetTrusted(classA));
    EXPECT_EQ(choose().folder, classA);
}

TEST_F(PictureSetOrder, NoOwnFolderKnownSkipsIt) {
    own.clear();
    makeSet(classB);
    EXPECT_EQ(choose().folder, classB);
}

} // namespace
} // namespace tarvelo
