// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemporaryFolder.h"

#include "OwnFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

namespace tarvelo {

namespace {

const QString lockName = QStringLiteral(".tarvelo-photos.lock");

// Where this account's temporary folders go: a folder only it may enter
// where the system has one, else the system's temporary folder, in which
// QTemporaryDir makes them rwx------.
QString temporaryBase() {
    return QString::fromStdString(privateTemporaryBase(QDir::tempPath().toStdString()));
}

QString folderTemplate() {
    return QDir(temporaryBase()).filePath(QStringLiteral("tarvelo-photos-XXXXXX"));
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
                       .arg(QDir::toNativeSeparators(temporaryBase()));
    }
    return std::nullopt;
}

namespace {

// Every account may make a folder of our name in /tmp: only this account's
// own are looked into, and they are removed without ever following a link.
void removeAbandonedIn(const QString& base) {
    static const QRegularExpression ours(
        QRegularExpression::anchoredPattern(QStringLiteral("tarvelo-photos-[A-Za-z0-9]{6}")));
    const QDir temporary(base);
    const QDateTime aMinuteAgo = QDateTime::currentDateTimeUtc().addSecs(-60);
    const std::string parent = base.toStdString();
    for (const QString& name :
         temporary.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System)) {
        if (!ours.match(name).hasMatch() || !isOwnFolder(parent, name.toStdString())) {
            continue;
        }
        const QString folder = temporary.filePath(name);
        const bool locked = QFileInfo::exists(QDir(folder).filePath(lockName));
        const std::unique_ptr<QLockFile> lock = lockIn(folder);
        if (locked ? lock->tryLock(0) : QFileInfo(folder).lastModified().toUTC() < aMinuteAgo) {
            lock->unlock(); // its file goes with the folder
            removeOwnFolder(parent, name.toStdString());
        }
    }
}

} // namespace

void removeAbandonedTemporaryFolders() {
    // Those of earlier runs may be in the system's temporary folder still.
    const QString base = temporaryBase();
    removeAbandonedIn(base);
    if (QDir(base) != QDir(QDir::tempPath())) {
        removeAbandonedIn(QDir::tempPath());
    }
}

} // namespace tarvelo
