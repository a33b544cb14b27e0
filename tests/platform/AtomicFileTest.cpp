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
