// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The order in which picture sets win, and that the set tarvelo-photos fills
// is the one the launchers then play, on folders this test makes (and so
// owns: on Windows the class set's owner check lets them through).
#include "PictureSets.h"

#include "SetPlaces.h"
#include "TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

void makeSet(const fs::path& folder) {
    fs::create_directories(folder / "obr" / "0");
}

void makeDrawings(const fs::path& folder) {
    fs::create_directories(folder);
    std::ofstream(folder / "0.jpg") << "drawing";
}

class PictureSetOrder : public ::testing::Test {
protected:
    fixtures::TempDir temp;
    fs::path own = temp.path() / u8"vlastní";
    fs::path classA = temp.path() / u8"třída a";
    fs::path classB = temp.path() / "class b";
    fs::path bundled = temp.path() / "bundled";

    PictureSetPlaces places() const {
        PictureSetPlaces places;
        places.own = own;
        places.classSets = {classA, classB};
        places.classSetHome = classA;
        places.bundled = bundled;
        places.drawings = bundled / "obr" / "0";
        return places;
    }
    PictureSetChoice choose() const { return choosePictureSet(places()); }
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
    // Further photographs of a breed are looked at as well, gaps and all.
    for (const char* photo : {"1", "4"}) {
        fs::create_directories(classA / "obr" / photo);
        std::ofstream(classA / "obr" / photo / "0.jpg") << "picture";
    }
    EXPECT_TRUE(classSetTrusted(classA));
    EXPECT_EQ(choose().folder, classA);
}

TEST_F(PictureSetOrder, NoOwnFolderKnownSkipsIt) {
    own.clear();
    makeSet(classB);
    EXPECT_EQ(choose().folder, classB);
}

// The editor's default set, once it holds pictures, is what the launchers
// play: for the own set, the class set and an unzipped Tarvelo; and the
// drawings it fills a set from are the bundled set the launchers fall back on.
TEST_F(PictureSetOrder, TheSetTheEditorFillsIsTheOneTheLauncherPlays) {
    makeDrawings(bundled / "obr" / "0");
    EXPECT_EQ(choose().folder, bundled);
    EXPECT_EQ(editedSet(places(), {}, false).drawings / "0.jpg",
              choose().folder / "obr" / "0" / "0.jpg");

    // The class set, with no own set.
    const EditedSet forAll = editedSet(places(), {}, true);
    EXPECT_EQ(forAll.folder, classA);
    EXPECT_TRUE(forAll.offersClassSet);
    EXPECT_TRUE(forAll.everyAccount);
    makeSet(forAll.folder);
    EXPECT_EQ(choose().folder, forAll.folder);
    EXPECT_EQ(choose().kind, PictureSetKind::Class);

    // The own set wins over it as soon as the editor has made it.
    const EditedSet mine = editedSet(places(), {}, false);
    EXPECT_EQ(mine.folder, own);
    EXPECT_TRUE(mine.offersClassSet);
    EXPECT_FALSE(mine.everyAccount);
    EXPECT_FALSE(mine.problem);
    EXPECT_EQ(mine.drawings, bundled / "obr" / "0");
    makeSet(mine.folder);
    EXPECT_EQ(choose().folder, mine.folder);
    EXPECT_EQ(choose().kind, PictureSetKind::Own);

    // An unzipped Tarvelo edits and plays its own folder, whatever else exists.
    const fs::path programs = temp.path() / "Tarvelo";
    makeDrawings(programs / "kresby");
    PictureSetPlaces unzipped = pictureSetPlaces(programs);
    EXPECT_EQ(unzipped.unzipped, programs.lexically_normal());
    EXPECT_EQ(unzipped.drawings, (programs / "kresby").lexically_normal());
    unzipped.own = own;
    unzipped.classSets = {classA};
    const EditedSet zip = editedSet(unzipped, {}, false);
    EXPECT_EQ(zip.folder, unzipped.unzipped);
    EXPECT_FALSE(zip.offersClassSet);
    EXPECT_FALSE(zip.everyAccount);
    EXPECT_EQ(zip.drawings, unzipped.drawings);
    makeSet(zip.folder);
    EXPECT_EQ(choosePictureSet(unzipped).folder, zip.folder);
    EXPECT_EQ(choosePictureSet(unzipped).kind, PictureSetKind::Unzipped);
}

// Without a folder for the own set the editor edits nothing (no folder of
// some other name that nobody plays), and the launchers play the class set.
TEST_F(PictureSetOrder, NoOwnFolderKnownIsSaidAndTheClassSetIsStillPlayed) {
    own.clear();
    makeSet(classB);
    const EditedSet edited = editedSet(places(), {}, false);
    ASSERT_TRUE(edited.problem);
    EXPECT_TRUE(edited.folder.empty());
    EXPECT_TRUE(edited.problem->starts_with("Nelze zjistit, kde je vaše vlastní sada: "))
        << *edited.problem;
    EXPECT_TRUE(edited.problem->ends_with(
        " Jinou složku sady lze zadat na příkazovém řádku. Nic nebylo změněno."))
        << *edited.problem;
    EXPECT_EQ(choose().folder, classB);
    // The class set is edited without the choice of an own set to go back to.
    EXPECT_FALSE(editedSet(places(), {}, true).offersClassSet);
}

TEST_F(PictureSetOrder, ANamedFolderIsEditedAsItIsWithoutTheChoice) {
    const fs::path named = temp.path() / "USB" / u8"Třída 3.B" / "..";
    const EditedSet edited = editedSet(places(), named, false);
    EXPECT_EQ(edited.folder, (temp.path() / "USB").lexically_normal());
    EXPECT_FALSE(edited.offersClassSet);
    EXPECT_FALSE(edited.problem);
    EXPECT_EQ(edited.drawings, bundled / "obr" / "0");
    const EditedSet relative = editedSet(places(), "sada", false);
    EXPECT_TRUE(relative.folder.is_absolute());
    EXPECT_EQ(relative.folder.filename(), "sada");
    EXPECT_FALSE(edited.everyAccount);
    EXPECT_FALSE(relative.everyAccount);

    // A class set named as a folder is still one: every account plays it.
    EXPECT_TRUE(editedSet(places(), classB, false).everyAccount);
    EXPECT_TRUE(editedSet(places(), classA / "obr" / "..", false).everyAccount);
    EXPECT_FALSE(editedSet(places(), classA / "obr", false).everyAccount);
}

TEST(BundledSet, ABuildTreeUsesItsSourceTreesDrawings) {
    const PictureSetPlaces places = pictureSetPlaces(TARVELO_BUILD_PROGRAMS);
    std::error_code error;
    EXPECT_TRUE(fs::equivalent(places.drawings, TARVELO_SOURCE_DRAWINGS, error))
        << places.drawings << " " << error.message();
    EXPECT_TRUE(fs::equivalent(places.bundled / "obr" / "0", TARVELO_SOURCE_DRAWINGS, error));
    EXPECT_TRUE(places.unzipped.empty());
}

} // namespace
} // namespace tarvelo
