// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace tarvelo {

// A fresh folder of tarvelo-photos that only this account may enter: in
// $XDG_RUNTIME_DIR where that is the account's own, else in the system's
// temporary folder with mode 0700 (privateTemporaryBase). It is removed with
// all it holds when this goes. A lock inside tells a later start that it is
// in use; one a killed run left behind has a lock that no live process holds,
// and removeAbandonedTemporaryFolders takes it away.
class TemporaryFolder {
public:
    TemporaryFolder(QTemporaryDir folder, std::unique_ptr<QLockFile> lock);
    ~TemporaryFolder();
    TemporaryFolder(TemporaryFolder&&) = default;
    TemporaryFolder& operator=(TemporaryFolder&&) = default;

    QString path() const { return folder_.path(); }
    QString filePath(const QString& name) const { return folder_.filePath(name); }

private:
    QTemporaryDir folder_;
    std::unique_ptr<QLockFile> lock_;
};

// A new temporary folder, or nothing with the Czech reason in message.
std::optional<TemporaryFolder> makeTemporaryFolder(QString* message);

// Removes the temporary folders of killed runs, where makeTemporaryFolder puts
// them and in the system's temporary folder: only folders named as it names
// them that this account owns with mode 0700 (one of another account is left
// alone, silently), never through a link (removeOwnFolder), and only those
// whose lock no live process holds (or, made just before a kill left them
// without one, older than a minute).
void removeAbandonedTemporaryFolders();

} // namespace tarvelo
