// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file all or nothing, on every system: what a success leaves and
// what the failures that need no special rights leave.
#include "AtomicFile.h"

#include "AtomicFileTesting.h"
#include "PictureErrors.h"

#include <cerrno>

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

TEST_F(AtomicFile, ReplacesTheOldBytesAndLeavesNoOtherFile) {
    const std::string target = placeOld("4.jpg");
    const auto bytes = fixtures::makeJpeg({});
    ASSERT_EQ(writeFileAtomically(target, bytes), std::nullopt);
    EXPECT_EQ(readPictureFile(target), bytes);
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"4.jpg"});

    // A shorter file is not the longer one's beginning overwritten.
    ASSERT_EQ(writeFileAtomically(target, bytesOf(3, 'n')), std::nullopt);
    EXPECT_EQ(readPictureFile(target), bytesOf(3, 'n'));
}

TEST_F(AtomicFile, MakesNewFilesEmptyOnesAndCzechNamesToo) {
    const fs::path folder = dir.path() / pathFromUtf8("Třída 3.B");
    fs::create_directory(folder);
    const std::string picture = utf8FromPath(folder / pathFromUtf8("kráva.jpg"));
    ASSERT_EQ(writeFileAtomically(picture, bytesOf(70'000, 'k')), std::nullopt);
    EXPECT_EQ(readPictureFile(picture), bytesOf(70'000, 'k'));
    const std::string empty = utf8FromPath(folder / "empty.jpg");
    ASSERT_EQ(writeFileAtomically(empty, {}), std::nullopt);
    EXPECT_TRUE(readPictureFile(empty).empty());
    EXPECT_EQ(namesIn(folder), (std::set<std::string>{"kráva.jpg", "empty.jpg"}));
}

TEST_F(AtomicFile, AFolderThatDoesNotExistFailsAtTheStartAndMakesNothing) {
    const auto error = writeFileAtomically(dir / "chybí/4.jpg", bytesOf(10, 'n'));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->step, WriteStep::Create);
    EXPECT_FALSE(error->diskFull());
    EXPECT_TRUE(namesIn(dir.path()).empty());
}

TEST_F(AtomicFile, AFolderInTheTargetsPlaceStaysWithItsContents) {
    fs::create_directory(dir.path() / "4.jpg");
    const std::string inside = placeOld("4.jpg/keep");
    const auto error = writeFileAtomically(dir / "4.jpg", bytesOf(10, 'n'));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->step, WriteStep::Replace);
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"4.jpg"});
    expectUntouched(inside);
}

// A photograph moved up over the one before it: the target holds the moved
// bytes, the source's name is gone, across folders and Czech names too; a
// move that cannot happen leaves both files as they were.
TEST_F(AtomicFile, ReplaceMovesOverTheTargetOrLeavesBothAsTheyWere) {
    const fs::path first = dir.path() / "obr" / "0";
    const fs::path second = dir.path() / pathFromUtf8("obr/1 čeština");
    fs::create_directories(first);
    fs::create_directories(second);
    const std::string target = utf8FromPath(first / "4.jpg");
    const std::string source = utf8FromPath(second / "4.jpg");
    fixtures::writeFile(pathFromUtf8(target), old);
    fixtures::writeFile(pathFromUtf8(source), bytesOf(300, 'm'));
    ASSERT_EQ(replaceFile(source, target), std::nullopt);
    EXPECT_EQ(readPictureFile(target), bytesOf(300, 'm'));
    EXPECT_EQ(namesIn(first), std::set<std::string>{"4.jpg"});
    EXPECT_TRUE(namesIn(second).empty());

    // Nothing to move: an error at the move itself, and the target stays.
    const auto missing = replaceFile(source, target);
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->step, WriteStep::Replace);
    EXPECT_EQ(readPictureFile(target), bytesOf(300, 'm'));

    // A folder in the target's place is not replaced by a file.
    fs::create_directory(second / "4.jpg");
    const auto onFolder = replaceFile(target, utf8FromPath(second / "4.jpg"));
    ASSERT_TRUE(onFolder.has_value());
    EXPECT_EQ(onFolder->step, WriteStep::Replace);
    EXPECT_EQ(readPictureFile(target), bytesOf(300, 'm'));
}

// The same below a set's folder, by paths below it: folders made on the way,
// a file written, moved over another and removed, each only where it is
// named, and a path that would leave the set refused before anything is made.
TEST_F(AtomicFile, BelowASetsFolderEachChangeStaysWhereItIsNamed) {
    const SetFolder set{dir / "Třída 3.B", NewEntries::ByUmask};
    fs::create_directory(pathFromUtf8(set.root));
    const fs::path obr = pathFromUtf8(set.root) / "obr";
    ASSERT_EQ(makeFoldersInSet(set, "obr/3"), std::nullopt);
    ASSERT_EQ(makeFoldersInSet(set, "obr/0"), std::nullopt);
    EXPECT_EQ(namesIn(obr), (std::set<std::string>{"0", "3"}));
    // Made already: nothing to do, nothing changes.
    ASSERT_EQ(makeFoldersInSet(set, "obr/3"), std::nullopt);

    ASSERT_EQ(writeFileInSet(set, "obr/3/4.jpg", bytesOf(300, 'm')), std::nullopt);
    ASSERT_EQ(writeFileInSet(set, "obr/0/4.jpg", old), std::nullopt);
    EXPECT_EQ(readPictureFile(utf8FromPath(obr / "3" / "4.jpg")), bytesOf(300, 'm'));
    ASSERT_EQ(replaceInSet(set, "obr/3/4.jpg", "obr/0/4.jpg"), std::nullopt);
    EXPECT_EQ(readPictureFile(utf8FromPath(obr / "0" / "4.jpg")), bytesOf(300, 'm'));
    EXPECT_TRUE(namesIn(obr / "3").empty());
    ASSERT_EQ(removeFileInSet(set, "obr/0/4.jpg"), std::nullopt);
    EXPECT_TRUE(namesIn(obr / "0").empty());

    // What is not there cannot be moved or removed; a missing folder is not
    // made by a write into it.
    const auto gone = removeFileInSet(set, "obr/0/4.jpg");
    ASSERT_TRUE(gone.has_value());
    EXPECT_EQ(gone->step, WriteStep::Remove);
    const auto missing = replaceInSet(set, "obr/0/4.jpg", "obr/3/4.jpg");
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->step, WriteStep::Replace);
    const auto noFolder = writeFileInSet(set, "obr/7/4.jpg", old);
    ASSERT_TRUE(noFolder.has_value());
    EXPECT_EQ(noFolder->step, WriteStep::Folder);
    EXPECT_FALSE(noFolder->link);

    for (const std::string bad :
         {"", "../4.jpg", "obr/../../4.jpg", "obr//4.jpg", "obr/./4.jpg", "obr/0/"}) {
        const auto refused = writeFileInSet(set, bad, old);
        ASSERT_TRUE(refused.has_value()) << bad;
        EXPECT_EQ(refused->step, WriteStep::Folder) << bad;
        EXPECT_TRUE(makeFoldersInSet(set, bad + "/x").has_value()) << bad;
    }
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"Třída 3.B"});
    EXPECT_EQ(namesIn(obr), (std::set<std::string>{"0", "3"}));
    EXPECT_TRUE(namesIn(obr / "0").empty());

    // A whole obr moved aside goes with everything in it; gone is gone.
    ASSERT_EQ(writeFileInSet(set, "obr/3/4.jpg", old), std::nullopt);
    ASSERT_EQ(replaceInSet(set, "obr", ".obr-old"), std::nullopt);
    ASSERT_EQ(removeTreeInSet(set, ".obr-old"), std::nullopt);
    EXPECT_TRUE(namesIn(pathFromUtf8(set.root)).empty());
    EXPECT_EQ(removeTreeInSet(set, ".obr-old"), std::nullopt);
}

TEST(AtomicFileText, NamesTheFileTheReasonAndTheStep) {
    const WriteError error{WriteStep::Sync, ENOENT};
    const std::string text = writeErrorText("/sada/4.jpg", error);
    EXPECT_EQ(text.rfind("cannot write /sada/4.jpg: " + systemErrorText(ENOENT), 0), 0u) << text;
    EXPECT_NE(text.find("flushing"), std::string::npos) << text;

    const std::string linked = writeErrorText("/sada/obr/5/4.jpg", {WriteStep::Folder, 0, true});
    EXPECT_NE(linked.find("link"), std::string::npos) << linked;
}

} // namespace
} // namespace tarvelo
