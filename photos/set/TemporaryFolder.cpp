// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemporaryFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

namespace tarvelo {

namespace {

const QString lockName = QStringLiteral(".tarvelo-photos.lock");

QString folderTemplate() {
    return QDir(QDir::tempPath()).filePath(QStringLiteral("tarvelo-photos-XXXXXX"));
}

// Whose process holds a lock is all that counts, never its age: a quiz may
// play from a folder for an hour.
std::unique_ptr<QLockFile> lockIn(const QString& folder) {
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(lockName));
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

TemporaryFolder::TemporaryFolder(QTemporaryDir folder, std::unique_ptr<QLockFile> lock)
    : folder_(std::move(folder)), lock_(std::move(lock)) {}

TemporaryFolder::~TemporaryFolder() {
    if (!lock_) {
        return; // moved from
    }
    lock_.reset();
    // On Windows a quiz that has just ended may hold its working folder a
    // moment longer. Whatever is left even so goes at a later start, its lock
    // now held by nobody.
    for (int attempt = 0; attempt < 20 && !folder_.remove(); ++attempt) {
        QThread::msleep(50);
    }
}

std::optional<TemporaryFolder> makeTemporaryFolder(QString* message) {
    QTemporaryDir folder(folderTemplate());
    std::unique_ptr<QLockFile> lock;
    if (folder.isValid()) {
        lock = lockIn(folder.path());
        if (lock->tryLock(0)) {
            return TemporaryFolder(std::move(folder), std::move(lock));
        }
    }
    if (message) {
        *message = QStringLiteral("Nelze vytvořit dočasnou složku v „%1“.")
                       .arg(QDir::toNativeSeparators(QDir::tempPath()));
    }
    return std::nullopt;
}

void removeAbandonedTemporaryFolders() {
    static const QRegularExpression ours(
        QRegularExpression::anchoredPattern(QStringLiteral("tarvelo-photos-[A-Za-z0-9]{6}")));
    const QDir temporary(QDir::tempPath());
    const QDateTime aMinuteAgo = QDateTime::currentDateTimeUtc().addSecs(-60);
    for (const QFileInfo& entry :
         temporary.entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (entry.isSymLink() || !ours.match(entry.fileName()).hasMatch()) {
            continue;
        }
        const QString folder = entry.absoluteFilePath();
        const bool locked = QFileInfo::exists(QDir(folder).filePath(lockName));
        const std::unique_ptr<QLockFile> lock = lockIn(folder);
        if (locked ? lock->tryLock(0) : entry.lastModified().toUTC() < aMinuteAgo) {
            lock->unlock(); // its file goes with the folder
            QDir(folder).removeRecursively();
        }
    }
}

} // namespace tarvelo
