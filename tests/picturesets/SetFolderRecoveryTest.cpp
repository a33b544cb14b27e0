// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a killed change of a set leaves is mended at the next start, and
// nothing else is touched.
#include "SetFolderRecovery.h"

#include "SetFolderLock.h"
#include "TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <string_view>

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

void write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every name under folder, relative to it.
std::set<std::string> names(const fs::path& folder) {
    std::set<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        found.insert(fs::relative(entry.path(), folder).generic_string());
    }
    return found;
}

class SetFolderRecoveryTest : public ::testing::Test {
protected:
    fixtures::TempDir dir;
    fs::path set = dir.path() / "sada";
};

TEST_F(SetFolderRecoveryTest, LeftoversOfAKilledChangeGoAndNothingElse) {
    write(set / "obr/0/3.jpg", "photo");
    write(set / "obr/0/.3.jpg.1a2b3c4d", "half written");
    write(set / "obr/2/~18.jpg.deadbeef", "half written on Windows");
    write(set / "obr/tarvelo-credits.json", "credits");
    write(set / "obr/.tarvelo-credits.json.0badf00d", "half written credits");
    write(set / ".tarvelo-new-Ab12Cd/obr/0/3.jpg", "staged");
    // Names that only look alike stay.
    write(set / "obr/0/.3.jpg.notahexx", "keep");
    write(set / "obr/0/.19.jpg.1a2b3c4d", "keep");
    write(set / "obr/0/.3.jpg.1a2b3c4", "keep");
    write(set / "obr/.tarvelo-credits.txt.0badf00d", "keep");
    write(set / "poznamky.txt", "keep");
    recoverSetFolder(set);
    EXPECT_EQ(names(set),
              (std::set<std::string>{"obr", "obr/0", "obr/0/3.jpg", "obr/0/.3.jpg.notahexx",
                                     "obr/0/.19.jpg.1a2b3c4d", "obr/0/.3.jpg.1a2b3c4", "obr/2",
                                     "obr/tarvelo-credits.json",
                                     "obr/.tarvelo-credits.txt.0badf00d", "poznamky.txt"}));
    EXPECT_EQ(read(set / "obr/0/3.jpg"), "photo");
}

TEST_F(SetFolderRecoveryTest, ASwapCutBetweenItsTwoStepsGetsTheOldSetBack) {
    write(set / ".tarvelo-new-Xy98Zw/old/0/3.jpg", "old");
    write(set / ".tarvelo-new-Xy98Zw/obr/0/3.jpg", "new");
    recoverSetFolder(set);
    EXPECT_EQ(names(set), (std::set<std::string>{"obr", "obr/0", "obr/0/3.jpg"}));
    EXPECT_EQ(read(set / "obr/0/3.jpg"), "old");
}

TEST_F(SetFolderRecoveryTest, NothingIsDoneWhileAnotherHoldsTheSetNorThroughALink) {
    write(set / ".tarvelo-new-Ab12Cd/obr/0/3.jpg", "being staged");
    {
        const SetFolderLock other(set);
        ASSERT_TRUE(other.held());
        EXPECT_FALSE(SetFolderLock(set).held());
        recoverSetFolder(set);
        EXPECT_TRUE(fs::exists(set / ".tarvelo-new-Ab12Cd/obr/0/3.jpg"));
    }
    // The lock leaves no file behind.
    EXPECT_FALSE(fs::exists(set / ".tarvelo.lock"));

    // A linked obr/K is never entered, a linked staging folder goes as a link.
    const fs::path elsewhere = dir.path() / "jinde";
    write(elsewhere / ".3.jpg.1a2b3c4d", "someone else's");
    write(set / "obr/0/3.jpg", "photo");
    std::error_code error;
    fs::create_directory_symlink(elsewhere, set / "obr/1", error);
    fs::create_directory_symlink(elsewhere, set / ".tarvelo-new-Link00", error);
    if (error) {
        GTEST_SKIP() << "no links here: " << error.message();
    }
    recoverSetFolder(set);
    EXPECT_EQ(read(elsewhere / ".3.jpg.1a2b3c4d"), "someone else's");
    EXPECT_FALSE(fs::exists(fs::symlink_status(set / ".tarvelo-new-Link00")));
    EXPECT_FALSE(fs::exists(set / ".tarvelo-new-Ab12Cd"));
}

// A link where a staging folder, something in one, or a writer's temporary
// file is, is removed as itself: nothing where it leads is touched, and no
// folder it leads to becomes the set's obr. Links are made with symlinks, so
// this runs where the system makes them (Linux); Wine makes no junctions, so
// on Windows only the plain trees above go through the same removal.
TEST_F(SetFolderRecoveryTest, LinksAreRemovedAsLinksNeverFollowed) {
    const fs::path elsewhere = dir.path() / "jinde";
    write(elsewhere / "3.jpg", "someone else's");
    write(elsewhere / "old/0/3.jpg", "someone else's set");
    struct Case {
        const char* link; // below the set
        fs::path target;  // what it leads to
        bool withoutObr;  // a swap cut between its steps, as it looks
    } cases[] = {
        {".tarvelo-new-Link01", elsewhere, false},
        {".tarvelo-new-Link02", elsewhere, true}, // its old would become obr
        {".tarvelo-new-Ab12Cd/obr", elsewhere, false},
        {".tarvelo-new-Ab12Cd/old", elsewhere / "old", true},
        {".tarvelo-new-Ab12Cd/obr/0/3.jpg", elsewhere / "3.jpg", false},
        {"obr/0/.3.jpg.1a2b3c4d", elsewhere / "3.jpg", false},
        {"obr/1", elsewhere, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        fs::remove_all(set);
        if (!c.withoutObr) {
            write(set / "obr/0/3.jpg", "photo");
        }
        fs::create_directories((set / c.link).parent_path());
        std::error_code error;
        if (fs::is_directory(c.target)) {
            fs::create_directory_symlink(c.target, set / c.link, error);
        } else {
            fs::create_symlink(c.target, set / c.link, error);
        }
        if (error) {
            GTEST_SKIP() << "no links here: " << error.message();
        }
        recoverSetFolder(set);
        EXPECT_EQ(read(elsewhere / "3.jpg"), "someone else's");
        EXPECT_EQ(read(elsewhere / "old/0/3.jpg"), "someone else's set");
        const bool staging = std::string_view(c.link).starts_with(stagingPrefix);
        if (staging || std::string_view(c.link).starts_with("obr/0/")) {
            EXPECT_FALSE(fs::exists(fs::symlink_status(set / c.link)));
        }
        EXPECT_FALSE(fs::exists(set / ".tarvelo-new-Ab12Cd"));
        EXPECT_FALSE(fs::is_symlink(set / "obr"));
        EXPECT_EQ(fs::exists(set / "obr/0/3.jpg"), !c.withoutObr);
    }
}

} // namespace
} // namespace tarvelo
