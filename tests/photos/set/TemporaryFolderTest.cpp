// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The temporary folders a killed run leaves go at the next start; those in
// use, and anything not named as ours, stay.
#include "TemporaryFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace tarvelo {
namespace {

QString inTemporary(const QString& name) {
    return QDir(QDir::tempPath()).filePath(name);
}

void makeFolder(const QString& path) {
    ASSERT_TRUE(QDir().mkpath(path));
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

} // namespace
} // namespace tarvelo
