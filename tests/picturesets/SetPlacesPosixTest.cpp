// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the own, class and installed sets are looked for, from the XDG
// variables and the program's folder, and who may write a class set.
#include "PictureSets.h"
#include "SetFolderRecovery.h"
#include "SetPlaces.h"
#include "TempDir.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

// Sets (or, with nullopt, unsets) a variable for one test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        set(value);
    }
    ~ScopedVariable() { set(old_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void set(const std::optional<std::string>& value) {
        if (value) {
            setenv(name_, value->c_str(), 1);
        } else {
            unsetenv(name_);
        }
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
    const auto places = pictureSetPlaces(temp.path() / "bin");
    EXPECT_EQ(places.own, temp.path() / "home" / "tarvelo");
    const std::vector<fs::path> classSets{temp.path() / "first" / "tarvelo",
                                          temp.path() / "second" / "tarvelo"};
    EXPECT_EQ(places.classSets, classSets);
    EXPECT_EQ(places.classSetHome, classSetHome());
    fs::create_directories(temp.path() / "second" / "tarvelo" / "obr" / "0");
    EXPECT_EQ(choosePictureSet(places).folder, temp.path() / "second" / "tarvelo");
}

// With neither HOME nor XDG_DATA_HOME there is no own set: the launcher plays
// the class set, and tarvelo-photos says so instead of editing a folder of
// its own making that the launcher would never play.
TEST(ClassSetPlaces, NoHomeMeansNoOwnSetForLauncherAndEditorAlike) {
    fixtures::TempDir temp;
    const ScopedVariable home("HOME", std::nullopt);
    const ScopedVariable data("XDG_DATA_HOME", "relative");
    const ScopedVariable dirs("XDG_DATA_DIRS", utf8FromPath(temp.path()));
    fs::create_directories(temp.path() / "tarvelo" / "obr" / "0");
    const auto places = pictureSetPlaces(temp.path() / "bin");
    EXPECT_TRUE(places.own.empty());
    EXPECT_EQ(choosePictureSet(places).folder, temp.path() / "tarvelo");
    const EditedSet edited = editedSet(places, {}, false);
    EXPECT_TRUE(edited.folder.empty());
    EXPECT_EQ(edited.problem, "Nelze zjistit, kde je vaše vlastní sada: není nastavená proměnná "
                              "HOME ani XDG_DATA_HOME. Jinou složku sady lze zadat na příkazovém "
                              "řádku. Nic nebylo změněno.");
}

// An install's set is found beside its bin folder first, so a moved install
// plays its own; else where the configured prefix puts it.
TEST(InstalledSet, BesideTheProgramsElseTheConfiguredOne) {
    fixtures::TempDir temp;
    const fs::path programs = temp.path() / u8"Učebna" / "bin";
    fs::create_directories(programs);
    const fs::path configured = fs::path(TARVELO_INSTALL_DATADIR) / "tarvelo";
    PictureSetPlaces places = pictureSetPlaces(programs);
    EXPECT_EQ(places.bundled, configured);
    const fs::path beside = (programs / TARVELO_DATADIR_FROM_BINDIR / "tarvelo").lexically_normal();
    fs::create_directories(beside / "obr" / "0");
    std::ofstream(beside / "obr" / "0" / "0.jpg") << "drawing";
    places = pictureSetPlaces(programs);
    EXPECT_EQ(places.bundled, beside);
    EXPECT_EQ(places.drawings, beside / "obr" / "0");
    EXPECT_TRUE(places.unzipped.empty());
}

TEST(MayWriteClassSet, FollowsTheFolderOrTheNearestOneAbove) {
    fixtures::TempDir temp;
    EXPECT_TRUE(mayWriteClassSet(temp.path() / "not yet" / "tarvelo"));
    fs::permissions(temp.path(), fs::perms::owner_read | fs::perms::owner_exec);
    // root may write anywhere, and the class set's editor runs as root there.
    EXPECT_EQ(mayWriteClassSet(temp.path() / "not yet" / "tarvelo"), geteuid() == 0);
    EXPECT_EQ(mayWriteClassSet(temp.path()), geteuid() == 0);
    EXPECT_EQ(classSetRefusal(temp.path()).has_value(), geteuid() != 0);
    PictureSetPlaces places;
    places.own = temp.path() / "own";
    places.classSetHome = temp.path();
    EXPECT_EQ(editedSet(places, {}, true).problem, classSetRefusal(temp.path()));
}

mode_t modeOf(const fs::path& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 0777;
}

// Under root's umask 077 the class set's folder and those made above it are
// still readable by every account; one that is there keeps the mode an
// administrator gave it, and a folder that cannot be made is said in Czech.
TEST(PrepareClassSetFolder, MakesItReadableByAllWhateverTheUmask) {
    fixtures::TempDir temp;
    const fs::path home = temp.path() / "share" / "tarvelo";
    const mode_t umask = ::umask(077);
    const auto made = prepareClassSetFolder(home);
    fs::create_directory(temp.path() / "teachers");
    fs::permissions(temp.path() / "teachers", static_cast<fs::perms>(0775));
    const auto kept = prepareClassSetFolder(temp.path() / "teachers");
    ::umask(umask);
    EXPECT_EQ(made, std::nullopt);
    EXPECT_EQ(modeOf(temp.path() / "share"), 0755u);
    EXPECT_EQ(modeOf(home), 0755u);
    EXPECT_EQ(kept, std::nullopt);
    EXPECT_EQ(modeOf(temp.path() / "teachers"), 0775u);

    // Below a folder of staff, as /usr/local/share is on Debian: staff keep
    // the right to change the set, everyone may read it.
    fs::create_directory(temp.path() / "local");
    ::chmod((temp.path() / "local").c_str(), 02775);
    const mode_t strict = ::umask(077);
    const auto staff = prepareClassSetFolder(temp.path() / "local" / "tarvelo");
    ::umask(strict);
    EXPECT_EQ(staff, std::nullopt);
    struct stat status {};
    ::stat((temp.path() / "local" / "tarvelo").c_str(), &status);
    EXPECT_EQ(status.st_mode & 07777, 02775u);

    std::ofstream(temp.path() / "file") << "not a folder";
    const auto refused = prepareClassSetFolder(temp.path() / "file" / "tarvelo");
    ASSERT_TRUE(refused.has_value());
    EXPECT_TRUE(refused->starts_with("Složku „" + (temp.path() / "file" / "tarvelo").string() +
                                     "“ pro sadu všech uživatelů nelze vytvořit ("))
        << *refused;
    EXPECT_TRUE(refused->ends_with("). Nic nebylo změněno.")) << *refused;
}

TEST(MayWriteClassSet, TheRefusalSaysWhichSetAndWhoMay) {
    EXPECT_EQ(classSetRefusalText("/usr/local/share/./tarvelo"),
              "Sadu pro všechny uživatele tohoto počítače (/usr/local/share/tarvelo) nemůžete "
              "měnit. Smí to jen root nebo člen skupiny její složky. Nic nebylo změněno.");
    EXPECT_EQ(classSetUnguardedText("/usr/local/share/./tarvelo"),
              "Složka sady pro všechny uživatele (/usr/local/share/tarvelo) nepatří správci "
              "počítače nebo do ní smějí zapisovat i jiní uživatelé, proto se nepoužije. Nic "
              "nebylo změněno.");
}

// A class set's folder that another account owns, or that others may write
// in, is not played (the launcher falls back on the drawings), not mended,
// not taken for writing, and the editor says why. The group may write only
// where it may write in the folder above too, as staff in /usr/local/share.
TEST(ClassSetGuard, OnlyAFolderOfTheSystemsIsUsed) {
    struct Case {
        const char* name;
        mode_t above;
        mode_t mode;
        bool foreign; // owned by another account
        bool link;    // a link to such a folder in its place
        bool used;
    } cases[] = {
        {"root's, read by all", 0755, 0755, false, false, true},
        {"staff's, as in /usr/local/share", 02775, 02775, false, false, true},
        {"others may write", 0755, 0757, false, false, false},
        {"a group that may not write above", 0755, 0775, false, false, false},
        {"a group above whose folder is sticky", 01775, 0775, false, false, false},
        {"a link", 0755, 0755, false, true, false},
        {"another account's", 0755, 0755, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.foreign && ::geteuid() != 0) {
            continue; // only root gives a folder to another account
        }
        fixtures::TempDir temp;
        const fs::path above = temp.path() / "share";
        const fs::path real = above / (c.link ? "real" : "tarvelo");
        const fs::path folder = above / "tarvelo";
        fs::create_directories(real / "obr" / "0");
        std::ofstream(real / ".tarvelo-new-Ab12Cd") << "left by a killed change";
        ASSERT_EQ(::chmod(above.c_str(), c.above), 0);
        ASSERT_EQ(::chmod(real.c_str(), c.mode), 0);
        if (c.link) {
            fs::create_directory_symlink(real, folder);
        }
        if (c.foreign) {
            ASSERT_EQ(::chown(real.c_str(), 65534, 65534), 0);
        }
        PictureSetPlaces places;
        places.own = temp.path() / "own";
        places.classSets = {folder};
        places.classSetHome = folder;
        places.bundled = temp.path() / "bundled";

        EXPECT_EQ(classSetFolderGuarded(folder), c.used);
        EXPECT_EQ(choosePictureSet(places).kind,
                  c.used ? PictureSetKind::Class : PictureSetKind::Bundled);
        const EditedSet edited = editedSet(places, {}, true);
        if (c.used) {
            EXPECT_NE(edited.problem, classSetUnguardedText(folder));
        } else {
            EXPECT_EQ(edited.problem, classSetUnguardedText(folder));
            EXPECT_EQ(classSetRefusal(folder), classSetUnguardedText(folder));
        }
        recoverClassSetFolder(folder);
        EXPECT_EQ(fs::exists(real / ".tarvelo-new-Ab12Cd"), !c.used);
        // Only a folder of root's (or this account's) is taken for writing.
        const auto prepared = prepareClassSetFolder(folder);
        EXPECT_EQ(prepared.has_value(), c.link || c.foreign);
        if (prepared) {
            EXPECT_NE(prepared->find("nepatří správci počítače"), std::string::npos) << *prepared;
        }
    }
}

} // namespace
} // namespace tarvelo
