// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SharedSetLimits.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tarvelo {

struct ArchiveEntry {
    QString name;
    QByteArray bytes;
};

// Whether an entry's name is one the set's layout has; folders ("obr/",
// "obr/3/") are taken whenever a file inside them would be.
using EntryNameRule = std::function<bool(const QString& name)>;

// A shared set's ZIP archive opened for reading from its file, which is read
// where libzip asks and never held whole: one entry is in memory at a time.
// The whole archive is refused before a byte is inflated when any entry has a
// name the rule does not take, is a link, a device or encrypted, is compressed
// other than stored or deflated, appears twice, or is larger, declared, than
// the limits allow; and when the file is not a ZIP archive, is cut short or
// does not match its own checksums.
class SetArchiveReader {
public:
    struct File {
        QString name;
        qint64 size = 0; // as the directory declares it
    };

    SetArchiveReader(const QString& file, const EntryNameRule& allowed,
                     const SharedSetLimits& limits = {});
    ~SetArchiveReader();
    SetArchiveReader(const SetArchiveReader&) = delete;
    SetArchiveReader& operator=(const SetArchiveReader&) = delete;

    // Why the archive was refused: a Czech sentence without the file's name.
    const std::optional<QString>& refusal() const { return refusal_; }
    // The entries that are files, in the archive's order.
    const std::vector<File>& files() const { return files_; }
    // The bytes of files()[i]: never more than it declares, nothing when the
    // entry inflates to more or less, or fails its checksum.
    std::optional<QByteArray> read(std::size_t i);

private:
    void open(const QString& file, const EntryNameRule& allowed, const SharedSetLimits& limits);
    // Why the file is no archive to read (a Czech sentence), or nothing.
    std::optional<QString> openArchive(const QString& file, const SharedSetLimits& limits);
    // Why an entry refuses the whole archive, or nothing and the files listed.
    std::optional<QString> judgeEntries(const EntryNameRule& allowed,
                                        const SharedSetLimits& limits);

    struct Library;
    std::unique_ptr<Library> library_;
    std::vector<File> files_;
    std::vector<quint64> indexes_;
    std::optional<QString> refusal_;
};

// A ZIP archive holding entries in order: JPEG photographs stored as they
// are (they do not compress), anything else deflated. Nothing when libzip
// fails, which only a lack of memory makes it do.
std::optional<QByteArray> writeSetArchive(const std::vector<ArchiveEntry>& entries);

} // namespace tarvelo
