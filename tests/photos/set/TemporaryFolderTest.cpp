// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The temporary folders a killed run leaves go at the next start; those in
// use, anything not named as ours, and whatever another account made, stay.
#include "TemporaryFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <utime.h>

namespace tarvelo {
namespace {

QString inTemporary(const QString& name) {
    return QDir(QDir::tempPath()).filePath(name);
}

// rwx------, as makeTemporaryFolder makes them.
void makeFolder(const QString& path) {
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_EQ(::chmod(path.toLocal8Bit().constData(), 0700), 0);
    QFile photo(QDir(path).filePath(QStringLiteral("0.jpg")));
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
}

// A folder whose lock a process took and never let go, as when it is killed.
void leaveLockOfAnEndedProcess(const QString& folder) {
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(QDir(folder).filePath(QStringLiteral(".tarvelo-photos.lock")));
        _exit(lock.tryLock(0) ? 0 : 1); // no destructor runs: the lock stays
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(TemporaryFolder, OnlyAbandonedFoldersOfOursGo) {
    QString problem;
    std::optional<TemporaryFolder> inUse = makeTemporaryFolder(&problem);
    ASSERT_TRUE(inUse.has_value()) << problem.toStdString();
    EXPECT_TRUE(QFileInfo(inUse->path()).fileName().startsWith("tarvelo-photos-"));

    const QString killed = inTemporary(QStringLiteral("tarvelo-photos-Ki11ed"));
    makeFolder(killed);
    leaveLockOfAnEndedProcess(killed);
    // Killed before its lock was written: it goes once it is a minute old.
    const QString fresh = inTemporary(QStringLiteral("tarvelo-photos-Fresh1"));
    makeFolder(fresh);
    const QString old = inTemporary(QStringLiteral("tarvelo-photos-Old123"));
    makeFolder(old);
    const struct utimbuf hourAgo {
        time(nullptr) - 3600, time(nullptr) - 3600
    };
    ASSERT_EQ(utime(old.toLocal8Bit().constData(), &hourAgo), 0);
    const QString notOurs = inTemporary(QStringLiteral("tarvelo-photos-other-Ki11ed"));
    makeFolder(notOurs);
    leaveLockOfAnEndedProcess(notOurs);
    ASSERT_EQ(utime(notOurs.toLocal8Bit().constData(), &hourAgo), 0);
    // A link of our name is removed as a link at most, never followed.
    const QString target = inTemporary(QStringLiteral("tarvelo-test-target"));
    makeFolder(target);
    const QString link = inTemporary(QStringLiteral("tarvelo-photos-L1nked"));
    ASSERT_TRUE(QFile::link(target, link));
    // One inside a folder of ours goes as a link.
    ASSERT_TRUE(QFile::link(target, QDir(killed).filePath(QStringLiteral("obr"))));

    removeAbandonedTemporaryFolders();
    EXPECT_TRUE(
        QFileInfo::exists(QDir(inUse->path()).filePath(QStringLiteral(".tarvelo-photos.lock"))));
    EXPECT_FALSE(QFileInfo::exists(killed));
    EXPECT_TRUE(QFileInfo::exists(fresh));
    EXPECT_FALSE(QFileInfo::exists(old));
    EXPECT_TRUE(QFileInfo::exists(notOurs));
    EXPECT_TRUE(QFileInfo::exists(QDir(target).filePath(QStringLiteral("0.jpg"))));

    const QString path = inUse->path();
    inUse.reset();
    EXPECT_FALSE(QFileInfo::exists(path));
    for (const QString& folder : {fresh, notOurs, target}) {
        QDir(folder).removeRecursively();
    }
    QFile::remove(link);
}

// Sets (or, with an empty value, unsets) a variable for one test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        set(value, !value.isEmpty());
    }
    ~ScopedVariable() { set(old_, had_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void set(const QByteArray& value, bool present) {
        if (present) {
            qputenv(name_, value);
        } else {
            qunsetenv(name_);
        }
    }
    const char* name_;
    bool had_;
    QByteArray old_;
};

const char* local(const QString& path) {
    static thread_local QByteArray bytes;
    bytes = QFile::encodeName(path);
    return bytes.constData();
}

constexpr uid_t nobody = 65534;

// A system temporary folder of the test's own, which every account may write
// in as in /tmp, and no variable that moves the folders elsewhere.
class TemporaryFolders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        ASSERT_EQ(::chmod(local(root.path()), 0755), 0);
        ASSERT_TRUE(QDir().mkpath(temporary));
        ASSERT_EQ(::chmod(local(temporary), 01777), 0);
    }

    QTemporaryDir root;
    QString temporary = root.filePath(QStringLiteral("tmp"));
    ScopedVariable tmpdir{"TMPDIR", QFile::encodeName(temporary)};
    ScopedVariable runtime{"XDG_RUNTIME_DIR", {}};
};

// The folder a temporary folder is made in, as XDG_RUNTIME_DIR names it:
// only one that is this account's own and closed to the others is used.
TEST_F(TemporaryFolders, GoOnlyWhereNoOtherAccountMayEnter) {
    const QString own = root.filePath(QStringLiteral("run-own"));
    const QString open = root.filePath(QStringLiteral("run-open"));
    const QString linked = root.filePath(QStringLiteral("run-link"));
    const QString foreign = root.filePath(QStringLiteral("run-foreign"));
    const std::pair<QString, mode_t> modes[] = {{own, 0700}, {open, 0755}, {foreign, 0700}};
    for (const auto& [folder, mode] : modes) {
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_EQ(::chmod(local(folder), mode), 0);
    }
    ASSERT_TRUE(QFile::link(own, linked));
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        ASSERT_EQ(::chown(local(foreign), nobody, nobody), 0);
    }
    struct Case {
        QString runtime;
        QString parent;
    } cases[] = {
        {{}, temporary},
        {own, own},
        {open, temporary},
        {linked, temporary},
        {QStringLiteral("run-own"), temporary},  // relative
        {foreign, asRoot ? temporary : foreign}, // made by this account when not root
    };
    for (const Case& c : cases) {
        const ScopedVariable variable("XDG_RUNTIME_DIR", QFile::encodeName(c.runtime));
        QString problem;
        std::optional<TemporaryFolder> folder = makeTemporaryFolder(&problem);
        ASSERT_TRUE(folder.has_value()) << problem.toStdString();
        EXPECT_EQ(QFileInfo(folder->path()).absolutePath(), QFileInfo(c.parent).absoluteFilePath())
            << c.runtime.toStdString();
        struct stat status {};
        ASSERT_EQ(::lstat(local(folder->path()), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0700u) << c.runtime.toStdString();
    }
}

// Runs body in a child process as the account nobody, as a pupil in a lab;
// the child exits 77 when it cannot become nobody.
pid_t asNobody(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0 ||
            ::setresuid(nobody, nobody, nobody) != 0) {
            _exit(77);
        }
        _exit(body());
    }
    return child;
}

// Another account plants a folder of our name in /tmp, holding a folder or a
// link to a folder of the teacher's, and swaps the two while the teacher's
// editor starts. Nothing of the teacher's goes, and the other account's folder
// is left as it is. The race is bounded in time and count on both sides, and
// nothing asserted depends on who wins it.
TEST_F(TemporaryFolders, AFolderOfAnotherAccountIsLeftAloneLinkRaceOrNot) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "another account is played by root only";
    }
    const QString teachers = root.filePath(QStringLiteral("teacher"));
    makeFolder(teachers);
    const QString precious = QDir(teachers).filePath(QStringLiteral("0.jpg"));
    const std::string planted =
        (temporary + QStringLiteral("/tarvelo-photos-Pup1l0")).toStdString();
    const std::string sub = planted + "/obr";
    const std::string aside = planted + "/obr-aside";
    const std::string teachersPath = teachers.toStdString();
    for (const bool race : {false, true}) {
        SCOPED_TRACE(race ? "racing" : "link in place");
        int ready[2];
        int stop[2];
        ASSERT_EQ(::pipe(ready), 0);
        ASSERT_EQ(::pipe(stop), 0);
        const pid_t child = asNobody([&]() {
            ::close(ready[0]);
            ::close(stop[1]);
            if (::mkdir(planted.c_str(), 0700) != 0 || ::mkdir(sub.c_str(), 0700) != 0) {
                return 1;
            }
            if (!race &&
                (::rmdir(sub.c_str()) != 0 || ::symlink(teachersPath.c_str(), sub.c_str()) != 0)) {
                return 1;
            }
            if (::write(ready[1], "r", 1) != 1) {
                return 1;
            }
            ::fcntl(stop[0], F_SETFL, O_NONBLOCK);
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            char byte = 0;
            for (int swap = 0; race && swap < 200'000 && std::chrono::steady_clock::now() < until;
                 ++swap) {
                if (::read(stop[0], &byte, 1) == 0) {
                    break; // the teacher's side is done
                }
                ::rename(sub.c_str(), aside.c_str());
                ::symlink(teachersPath.c_str(), sub.c_str());
                ::unlink(sub.c_str());
                ::rename(aside.c_str(), sub.c_str());
            }
            return 0;
        });
        ASSERT_GT(child, 0);
        ::close(ready[1]);
        ::close(stop[0]);
        char byte = 0;
        const bool planting = ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
        if (planting) {
            // A lock nobody holds, and old: a folder of ours would go now.
            leaveLockOfAnEndedProcess(QString::fromStdString(planted));
            const struct utimbuf hourAgo {
                time(nullptr) - 3600, time(nullptr) - 3600
            };
            ::utime(planted.c_str(), &hourAgo);
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            for (int round = 0;
                 round < (race ? 300 : 1) && std::chrono::steady_clock::now() < until; ++round) {
                removeAbandonedTemporaryFolders();
            }
        }
        ::close(stop[1]);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 77) {
            GTEST_SKIP() << "this system does not let the test become the account nobody";
        }
        ASSERT_TRUE(planting && WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_TRUE(QFileInfo::exists(precious));
        EXPECT_TRUE(QFileInfo(QString::fromStdString(planted)).isDir());
        EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(planted + "/.tarvelo-photos.lock")));
        QDir(QString::fromStdString(planted)).removeRecursively(); // by root, links as links
    }
}

} // namespace
} // namespace tarvelo
