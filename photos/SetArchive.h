// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace tarvelo {

// What a shared set's ZIP archive may hold, checked from its directory
// before a single byte is inflated: a small file that would inflate to
// gigabytes is refused at once, and memory stays bounded by these figures.
struct SetArchiveLimits {
    qint64 archiveBytes = 512LL << 20; // the file itself
    int entries = 400;                 // 190 photographs, the manifest, folders
    qint64 entryBytes = 32LL << 20;    // one entry, inflated
    qint64 totalBytes = 512LL << 20;   // all entries, inflated
};

struct ArchiveEntry {
    QString name;
    QByteArray bytes;
};

// Entries read from an archive, or why it was refused (a Czech sentence
// without the file's name).
struct ArchiveContent {
    std::vector<ArchiveEntry> entries;
    std::optional<QString> refusal;
};

// Whether an entry's name is one the set's layout has; folders ("obr/",
// "obr/3/") are taken whenever a file inside them would be.
using EntryNameRule = std::function<bool(const QString& name)>;

// The files of the ZIP archive in `archive`, in the archive's order. The
// whole archive is refused when any entry has a name the rule does not take,
// is a link, a device or encrypted, is compressed other than stored or
// deflated, appears twice, or is larger, declared or inflated, than the
// limits allow; and when the archive is not a ZIP archive, is cut short or
// does not match its own checksums.
ArchiveContent readSetArchive(const QByteArray& archive, const EntryNameRule& allowed,
                              const SetArchiveLimits& limits = {});

// A ZIP archive holding entries in order: JPEG photographs stored as they
// are (they do not compress), anything else deflated. Nothing when libzip
// fails, which only a lack of memory makes it do.
std::optional<QByteArray> writeSetArchive(const std::vector<ArchiveEntry>& entries);

} // namespace tarvelo
