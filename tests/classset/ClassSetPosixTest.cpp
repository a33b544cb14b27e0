// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the own and class sets are looked for, from the XDG variables, and
// who may write a class set.
#include "ClassSet.h"
#include "TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

// Sets (or, with nullopt, unsets) a variable for one test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        set(value);
    }
    ~ScopedVariable() { set(old_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void set(const std::optional<std::string>& value) {
        if (value)
            setenv(name_, value->c_str(), 1);
        else
            unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

TEST(OwnSetFolder, FollowsXdgDataHomeElseHome) {
    const ScopedVariable home("HOME", "/home/učitel");
    {
        const ScopedVariable data("XDG_DATA_HOME", "/data/mine");
        EXPECT_EQ(ownSetFolder(), fs::path("/data/mine/tarvelo"));
    }
    {
        const ScopedVariable data("XDG_DATA_HOME", "relative/data");
        EXPECT_EQ(ownSetFolder(), fs::path("/home/učitel/.local/share/tarvelo"));
    }
    const ScopedVariable data("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(ownSetFolder(), fs::path("/home/učitel/.local/share/tarvelo"));
    const ScopedVariable noHome("HOME", std::nullopt);
    EXPECT_TRUE(ownSetFolder().empty());
}

TEST(ClassSetFolders, WalkAbsoluteXdgDataDirsInOrder) {
    {
        const ScopedVariable dirs("XDG_DATA_DIRS", "/opt/a b/:relative::/usr/share");
        const std::vector<fs::path> want{"/opt/a b//tarvelo", "/usr/share/tarvelo"};
        EXPECT_EQ(classSetFolders(), want);
    }
    const std::vector<fs::path> defaults{"/usr/local/share/tarvelo", "/usr/share/tarvelo"};
    {
        const ScopedVariable dirs("XDG_DATA_DIRS", "");
        EXPECT_EQ(classSetFolders(), defaults);
    }
    const ScopedVariable dirs("XDG_DATA_DIRS", std::nullopt);
    EXPECT_EQ(classSetFolders(), defaults);
    // The class set an administrator writes is the one played first.
    EXPECT_EQ(classSetHome(), defaults.front());
}

TEST(ClassSetPlaces, OwnThenXdgDataDirsThenBundled) {
    fixtures::TempDir temp;
    const ScopedVariable data("XDG_DATA_HOME", utf8FromPath(temp.path() / "home"));
    const ScopedVariable dirs("XDG_DATA_DIRS", utf8FromPath(temp.path() / "first") + ":" +
                                                   utf8FromPath(temp.path() / "second"));
    const fs::path bundled = temp.path() / "bundled";
    const auto places = pictureSetPlaces(bundled);
    EXPECT_EQ(places.own, temp.path() / "home" / "tarvelo");
    const std::vector<fs::path> classSets{temp.path() / "first" / "tarvelo",
                                          temp.path() / "second" / "tarvelo"};
    EXPECT_EQ(places.classSets, classSets);
    EXPECT_EQ(places.bundled, bundled);
    fs::create_directories(temp.path() / "second" / "tarvelo" / "obr" / "0");
    EXPECT_EQ(choosePictureSet(places).folder, temp.path() / "second" / "tarvelo");
}

TEST(MayWriteClassSet, FollowsTheFolderOrTheNearestOneAbove) {
    fixtures::TempDir temp;
    EXPECT_TRUE(mayWriteClassSet(temp.path() / "not yet" / "tarvelo"));
    fs::permissions(temp.path(), fs::perms::owner_read | fs::perms::owner_exec);
    // root may write anywhere, and the class set's editor runs as root there.
    EXPECT_EQ(mayWriteClassSet(temp.path() / "not yet" / "tarvelo"), geteuid() == 0);
    EXPECT_EQ(mayWriteClassSet(temp.path()), geteuid() == 0);
}

} // namespace
} // namespace tarvelo
