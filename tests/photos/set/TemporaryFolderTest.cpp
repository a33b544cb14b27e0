// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The temporary folders a killed run leaves go at the next start; those in
// use, anything not named as ours, and whatever another account made, stay.
#include "TemporaryFolder.h"

#include "../ScopedVariable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace tarvelo {
namespace {

using testing::ScopedVariable;

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

std::string local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

constexpr uid_t nobody = 65534;

// A system temporary folder of the test's own, which every account may write
// in as in /tmp, and no variable that moves the folders elsewhere.
class TemporaryFolders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        ASSERT_EQ(::chmod(local(root.path()).c_str(), 0755), 0);
        ASSERT_TRUE(QDir().mkpath(temporary));
        ASSERT_EQ(::chmod(local(temporary).c_str(), 01777), 0);
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
    const QString foreign = root.filePath(QStringLiteral("run-foreign"));
    const QString linked = root.filePath(QStringLiteral("run-link"));
    for (const auto& [folder, mode] : {std::pair(own, 0700), {open, 0755}, {foreign, 0700}}) {
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_EQ(::chmod(local(folder).c_str(), static_cast<mode_t>(mode)), 0);
    }
    ASSERT_TRUE(QFile::link(own, linked));
    // Another account's where the test may play one; else this account's own.
    const bool asRoot = ::geteuid() == 0;
    ASSERT_TRUE(!asRoot || ::chown(local(foreign).c_str(), nobody, nobody) == 0);
    // XDG_RUNTIME_DIR, and where the folder goes; a relative one is no place.
    for (const auto& [runtimeDir, parent] : {std::pair(QString(), temporary),
                                             {own, own},
                                             {open, temporary},
                                             {linked, temporary},
                                             {QStringLiteral("run-own"), temporary},
                                             {foreign, asRoot ? temporary : foreign}}) {
        const ScopedVariable variable("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir));
        QString problem;
        const std::optional<TemporaryFolder> folder = makeTemporaryFolder(&problem);
        ASSERT_TRUE(folder.has_value()) << problem.toStdString();
        EXPECT_EQ(QFileInfo(folder->path()).absolutePath(), QFileInfo(parent).absoluteFilePath())
            << runtimeDir.toStdString();
        struct stat status {};
        ASSERT_EQ(::lstat(local(folder->path()).c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0700u) << runtimeDir.toStdString();
    }
}

// Another account plants a folder of our name in /tmp, holding a link to a
// folder of the teacher's, or a folder and such a link swapped in turn while
// the teacher's editor starts. Nothing of the teacher's goes, and the other
// account's folder is left as it is. The race is bounded in time on both
// sides, and nothing asserted depends on who wins it.
TEST_F(TemporaryFolders, AFolderOfAnotherAccountIsLeftAloneLinkRaceOrNot) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "another account is played by root only";
    }
    const QString teachers = root.filePath(QStringLiteral("teacher"));
    makeFolder(teachers);
    const QString planted = QDir(temporary).filePath(QStringLiteral("tarvelo-photos-Pup1l0"));
    const std::string folder = local(planted);
    const std::string sub = folder + "/obr";
    const std::string aside = folder + "/obr-aside";
    const std::string target = local(teachers);
    for (const bool race : {false, true}) {
        SCOPED_TRACE(race ? "racing" : "link in place");
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = fork();
        if (child == 0) {
            // As the account nobody, as a pupil in a lab; 77 where it cannot be.
            if (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0 ||
                ::setresuid(nobody, nobody, nobody) != 0) {
                _exit(77);
            }
            if (::mkdir(folder.c_str(), 0700) != 0 ||
                (race ? ::mkdir(sub.c_str(), 0700) : ::symlink(target.c_str(), sub.c_str())) != 0 ||
                ::write(ready[1], "r", 1) != 1) {
                _exit(1);
            }
            // Swapping until the teacher's side is done, five seconds at most.
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (race && std::chrono::steady_clock::now() < until) {
                ::rename(sub.c_str(), aside.c_str());
                ::symlink(target.c_str(), sub.c_str());
                ::unlink(sub.c_str());
                ::rename(aside.c_str(), sub.c_str());
            }
            _exit(0);
        }
        ASSERT_GT(child, 0);
        ::close(ready[1]);
        char byte = 0;
        const bool planting = ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
        if (planting) {
            // A lock nobody holds: a folder of ours would go now.
            leaveLockOfAnEndedProcess(planted);
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            for (int round = 0;
                 round < (race ? 300 : 1) && std::chrono::steady_clock::now() < until; ++round) {
                removeAbandonedTemporaryFolders();
            }
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 77) {
            GTEST_SKIP() << "this system does not let the test become the account nobody";
        }
        ASSERT_TRUE(planting);
        EXPECT_TRUE(QFileInfo::exists(QDir(teachers).filePath(QStringLiteral("0.jpg"))));
        EXPECT_TRUE(QFileInfo(planted).isDir());
        EXPECT_TRUE(
            QFileInfo::exists(QDir(planted).filePath(QStringLiteral(".tarvelo-photos.lock"))));
        QDir(planted).removeRecursively(); // by root, links as links
    }
}

} // namespace
} // namespace tarvelo
