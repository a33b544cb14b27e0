// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Changes below a set's folder, on every system: each stays where it is
// named, and a path that would leave the set is refused.
#include "SetFolderFiles.h"

#include "AtomicFileTesting.h"

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

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

} // namespace
} // namespace tarvelo
