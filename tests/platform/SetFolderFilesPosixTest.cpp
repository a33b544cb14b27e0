// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Changes below a set's folder on POSIX systems: links in every place on the
// way, a link swapped in while the set is written, and who may read what is
// made.
#include "AtomicFileTesting.h"
#include "FilePermissions.h"
#include "SetFolderFiles.h"

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

// A set's folder with obr/0 and obr/5 in it, and beside it a folder some
// other account owns, holding a file of its own: where a link in the set leads.
class AtomicFileInSet : public AtomicFile {
protected:
    AtomicFileInSet() {
        fs::create_directories(root / "obr" / "0");
        fs::create_directories(root / "obr" / "5");
        fs::create_directory(elsewhere);
        fixtures::writeFile(elsewhere / "4.jpg", old);
    }

    const fs::path root = dir.path() / "sada";
    const fs::path elsewhere = dir.path() / "cizí";
    const SetFolder set{utf8FromPath(root), NewEntries::ByUmask};

    // The other account's folder holds its file alone, as it was.
    void expectElsewhereUntouched() const { expectUntouched(utf8FromPath(elsewhere / "4.jpg")); }

    static void expectLink(const std::optional<WriteError>& error, const std::string& what) {
        ASSERT_TRUE(error.has_value()) << what;
        EXPECT_TRUE(error->link) << what;
        EXPECT_EQ(error->step, WriteStep::Folder) << what;
    }
};

// Every change below a folder that is a link, be it obr itself, obr/K, a
// dangling one or one deeper down, is refused and reaches nothing behind it.
TEST_F(AtomicFileInSet, NoChangePassesThroughALinkedFolder) {
    fixtures::writeFile(root / "obr" / "0" / "4.jpg", bytesOf(10, 'n'));
    fs::remove(root / "obr" / "5");
    fs::create_directory_symlink(elsewhere, root / "obr" / "5");
    expectLink(writeFileInSet(set, "obr/5/4.jpg", bytesOf(10, 'n')), "write");
    expectLink(replaceInSet(set, "obr/0/4.jpg", "obr/5/4.jpg"), "move in");
    expectLink(replaceInSet(set, "obr/5/4.jpg", "obr/0/4.jpg"), "move out");
    expectLink(removeFileInSet(set, "obr/5/4.jpg"), "remove");
    expectLink(makeFoldersInSet(set, "obr/5"), "folder");
    expectLink(makeFoldersInSet(set, "obr/5/x"), "folder inside");
    expectElsewhereUntouched();
    EXPECT_EQ(readPictureFile(utf8FromPath(root / "obr" / "0" / "4.jpg")), bytesOf(10, 'n'));

    // A link that leads nowhere yet is not made into a folder over there.
    fs::create_directory_symlink(elsewhere / "nové", root / "obr" / "7");
    expectLink(makeFoldersInSet(set, "obr/7"), "dangling");
    EXPECT_FALSE(fs::exists(elsewhere / "nové"));

    // obr itself: nothing below it is reached.
    fs::rename(root / "obr", dir.path() / "obr");
    fs::create_directory_symlink(dir.path() / "obr", root / "obr");
    expectLink(writeFileInSet(set, "obr/0/4.jpg", old), "obr");
    expectLink(removeFileInSet(set, "obr/0/4.jpg"), "obr, remove");
    EXPECT_EQ(readPictureFile(utf8FromPath(dir.path() / "obr" / "0" / "4.jpg")), bytesOf(10, 'n'));

    EXPECT_TRUE(isLink(utf8FromPath(root / "obr")));
    EXPECT_TRUE(isLink(utf8FromPath(dir.path() / "obr" / "7")));
    EXPECT_FALSE(isLink(utf8FromPath(dir.path() / "obr" / "0")));
    EXPECT_FALSE(isLink(utf8FromPath(dir.path() / "obr" / "0" / "4.jpg")));
    EXPECT_FALSE(isLink(utf8FromPath(dir.path() / "obr" / "9")));
}

// A photograph that is a link: the write replaces the link, the removal and
// the move take the link itself; the file it leads to stays as it was.
TEST_F(AtomicFileInSet, ALinkedPhotographIsReplacedNotFollowed) {
    fs::create_symlink(elsewhere / "4.jpg", root / "obr" / "0" / "4.jpg");
    ASSERT_EQ(writeFileInSet(set, "obr/0/4.jpg", bytesOf(10, 'n')), std::nullopt);
    EXPECT_FALSE(fs::is_symlink(root / "obr" / "0" / "4.jpg"));
    EXPECT_EQ(readPictureFile(utf8FromPath(root / "obr" / "0" / "4.jpg")), bytesOf(10, 'n'));
    expectElsewhereUntouched();

    fs::create_symlink(elsewhere / "4.jpg", root / "obr" / "5" / "4.jpg");
    ASSERT_EQ(replaceInSet(set, "obr/5/4.jpg", "obr/0/4.jpg"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(root / "obr" / "0" / "4.jpg"));
    ASSERT_EQ(removeFileInSet(set, "obr/0/4.jpg"), std::nullopt);
    EXPECT_FALSE(fs::exists(fs::symlink_status(root / "obr" / "0" / "4.jpg")));
    expectElsewhereUntouched();
}

// An old obr removed whole: the links in it go, what they lead to stays; a
// link in the place of the folder to remove is removed itself.
TEST_F(AtomicFileInSet, RemovingATreeRemovesItsLinksNotWhatTheyLeadTo) {
    fixtures::writeFile(root / "obr" / "0" / "4.jpg", old);
    fs::create_directory_symlink(elsewhere, root / "obr" / "1");
    fs::create_symlink(elsewhere / "4.jpg", root / "obr" / "5" / "4.jpg");
    fs::create_directories(root / "obr" / "2" / "deeper");
    ASSERT_EQ(removeTreeInSet(set, "obr"), std::nullopt);
    EXPECT_TRUE(namesIn(root).empty());
    expectElsewhereUntouched();

    fs::create_directory_symlink(elsewhere, root / "obr");
    ASSERT_EQ(removeTreeInSet(set, "obr"), std::nullopt);
    EXPECT_TRUE(namesIn(root).empty());
    expectElsewhereUntouched();
}

// A pupil swaps a link in for obr/5 and back, over and over, while the set is
// written: whenever a check before the write was made, the walk from the
// set's folder either reaches the real folder or refuses the link. Nothing,
// not even a temporary file, ever lands behind it.
TEST_F(AtomicFileInSet, ALinkSwappedInForAFolderIsCaughtByTheWalk) {
    fs::create_directory_symlink(elsewhere, root / "obr" / "5.link");
    std::atomic<bool> done = false;
    std::thread swapper([&] {
        const std::string real = utf8FromPath(root / "obr" / "5");
        const std::string link = utf8FromPath(root / "obr" / "5.link");
        while (!done) {
            ::renameat2(AT_FDCWD, real.c_str(), AT_FDCWD, link.c_str(), RENAME_EXCHANGE);
        }
    });
    int written = 0;
    int refused = 0;
    // On a busy machine the swapper may sleep through many writes in one
    // state; the writes go on until both ways have happened, within bounds.
    for (int attempt = 0;
         (attempt < 400 || written == 0 || refused == 0) && attempt < 100'000 && !HasFailure();
         ++attempt) {
        if (attempt >= 400) {
            std::this_thread::yield();
        }
        const auto error = writeFileInSet(set, "obr/5/3.jpg", bytesOf(10, 'n'));
        if (error) {
            EXPECT_TRUE(error->link) << writeErrorText("obr/5/3.jpg", *error);
            ++refused;
        } else {
            ++written;
        }
        EXPECT_EQ(namesIn(elsewhere), std::set<std::string>{"4.jpg"}) << "after " << attempt;
    }
    done = true;
    swapper.join();
    expectElsewhereUntouched();
    // Both ways happened, so the swap did come between the writes.
    EXPECT_GT(written, 0);
    EXPECT_GT(refused, 0);
}

// The class set: whatever the umask of whoever writes it, its folders and
// files can be read by every account; a file replaced there becomes
// readable too, and keeps a group's write access it had.
TEST_F(AtomicFileInSet, WhatIsMadeForEveryAccountIsReadableByAllWhateverTheUmask) {
    const SetFolder classSet{set.root, NewEntries::ReadableByAll};
    const mode_t umask = ::umask(077);
    EXPECT_EQ(makeFoldersInSet(classSet, "obr/1/a"), std::nullopt);
    EXPECT_EQ(writeFileInSet(classSet, "obr/1/4.jpg", bytesOf(10, 'n')), std::nullopt);
    fixtures::writeFile(root / "obr" / "0" / "4.jpg", old);
    ::chmod((root / "obr" / "0" / "4.jpg").c_str(), 0600);
    fixtures::writeFile(root / "obr" / "0" / "5.jpg", old);
    ::chmod((root / "obr" / "0" / "5.jpg").c_str(), 0660);
    EXPECT_EQ(writeFileInSet(classSet, "obr/0/4.jpg", bytesOf(10, 'n')), std::nullopt);
    EXPECT_EQ(writeFileInSet(classSet, "obr/0/5.jpg", bytesOf(10, 'n')), std::nullopt);
    // The own set as before: as the umask says.
    EXPECT_EQ(makeFoldersInSet(set, "obr/2"), std::nullopt);
    EXPECT_EQ(writeFileInSet(set, "obr/2/4.jpg", bytesOf(10, 'n')), std::nullopt);
    ::umask(umask);

    EXPECT_EQ(permissionsOf(utf8FromPath(root / "obr" / "1")), 0755u);
    EXPECT_EQ(permissionsOf(utf8FromPath(root / "obr" / "1" / "a")), 0755u);
    EXPECT_EQ(permissionsOf(utf8FromPath(root / "obr" / "1" / "4.jpg")), 0644u);
    EXPECT_EQ(permissionsOf(utf8FromPath(root / "obr" / "0" / "4.jpg")), 0644u);
    EXPECT_EQ(permissionsOf(utf8FromPath(root / "obr" / "0" / "5.jpg")), 0664u);
    EXPECT_EQ(permissionsOf(utf8FromPath(root / "obr" / "2")), 0700u);
    EXPECT_EQ(permissionsOf(utf8FromPath(root / "obr" / "2" / "4.jpg")), 0600u);

    // A class set a group of teachers keeps: what is made in it stays theirs
    // to change, and readable by all.
    ::chmod((root / "obr").c_str(), 02775);
    const mode_t strict = ::umask(077);
    EXPECT_EQ(makeFoldersInSet(classSet, "obr/3"), std::nullopt);
    ::umask(strict);
    struct stat status {};
    ::stat((root / "obr" / "3").c_str(), &status);
    EXPECT_EQ(status.st_mode & 07777, 02775u);
}

} // namespace
} // namespace tarvelo
