// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetArchive.h"

#include "ForeignText.h"
#include "RegularFile.h"
#include "ZipHandles.h"

#include <QFile>
#include <QSet>
#include <algorithm>
#include <ctime>
#include <memory>
#include <zip.h>

namespace tarvelo {

namespace {

using libzip::Archive;
using libzip::ErrorGuard;
using libzip::File;
using libzip::Source;

QString mib(qint64 bytes) {
    return QString::number(bytes >> 20);
}

// What a library error means for a teacher. A file that begins as a ZIP
// archive but has no directory at its end was cut short.
QString openRefusal(int code, bool startsLikeZip = false) {
    if (code == ZIP_ER_NOZIP && startsLikeZip) {
        code = ZIP_ER_INCONS;
    }
    switch (code) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("není to archiv ZIP, tedy ani sdílená sada Tarvela");
    case ZIP_ER_MEMORY:
        return QStringLiteral("na jeho otevření nestačí paměť");
    default:
        return QStringLiteral("archiv je poškozený nebo neúplný (například nedokončené stažení)");
    }
}

bool isFolder(const QString& name) {
    return name.endsWith(QLatin1Char('/'));
}

// Only plain files and folders: a link would point outside the set, a device
// is no photograph.
bool plainFileOrFolder(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0) {
        return false;
    }
    if (system != ZIP_OPSYS_UNIX) {
        return true; // other systems record no file types
    }
    const zip_uint32_t type = (attributes >> 16) & 0170000u;
    return type == 0 || type == 0100000u || type == 0040000u;
}

// Reads one entry, never more than `declared` bytes plus one to catch an
// entry that inflates to more than its directory says.
std::optional<QByteArray> readEntry(zip_t* archive, zip_uint64_t index, qint64 declared) {
    const File file(zip_fopen_index(archive, index, 0));
    if (!file) {
        return std::nullopt;
    }
    QByteArray bytes(declared + 1, Qt::Uninitialized);
    qint64 filled = 0;
    while (filled < bytes.size()) {
        const zip_int64_t got = zip_fread(file.get(), bytes.data() + filled,
                                          static_cast<zip_uint64_t>(bytes.size() - filled));
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        filled += got;
    }
    if (filled != declared) {
        return std::nullopt;
    }
    bytes.truncate(filled);
    return bytes;
}

// The archive's file as libzip reads it: opened once, read at whatever
// offset the library asks for, never held in memory.
class FileSource {
public:
    FileSource() { zip_error_init(&error_); }
    ~FileSource() { zip_error_fini(&error_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // Judged on what was opened: a FIFO or a device put in the file's place
    // would make the open wait, or a read go on for ever.
    bool open(const QString& path) {
        opened_ = RegularFile(path.toStdString());
        return opened_.isOpen() &&
               file_.open(opened_.descriptor(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    }
    qint64 size() const { return file_.size(); }
    // A file that begins as a ZIP archive but has no directory at its end was
    // cut short.
    bool startsLikeZip() {
        const qint64 at = file_.pos();
        const bool zip = file_.seek(0) && file_.read(4) == QByteArray("PK\x03\x04", 4);
        file_.seek(at);
        return zip;
    }

    static zip_int64_t callback(void* self, void* data, zip_uint64_t length, zip_source_cmd_t cmd) {
        return static_cast<FileSource*>(self)->answer(data, length, cmd);
    }

private:
    zip_int64_t fail(int code) {
        zip_error_set(&error_, code, 0);
        return -1;
    }

    zip_int64_t answer(void* data, zip_uint64_t length, zip_source_cmd_t cmd) {
        switch (cmd) {
        case ZIP_SOURCE_OPEN:
            return file_.seek(0) ? 0 : fail(ZIP_ER_READ);
        case ZIP_SOURCE_READ: {
            const qint64 got =
                file_.read(static_cast<char*>(data),
                           static_cast<qint64>(std::min<zip_uint64_t>(length, 1 << 30)));
            return got < 0 ? fail(ZIP_ER_READ) : got;
        }
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_STAT: {
            if (length < sizeof(zip_stat_t)) {
                return fail(ZIP_ER_INVAL);
            }
            auto* stat = static_cast<zip_stat_t*>(data);
            zip_stat_init(stat);
            stat->size = static_cast<zip_uint64_t>(file_.size());
            stat->valid |= ZIP_STAT_SIZE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&error_, data, length);
        case ZIP_SOURCE_SEEK: {
            const zip_int64_t offset = zip_source_seek_compute_offset(
                static_cast<zip_uint64_t>(file_.pos()), static_cast<zip_uint64_t>(file_.size()),
                data, length, &error_);
            if (offset < 0) {
                return -1;
            }
            return file_.seek(offset) ? 0 : fail(ZIP_ER_SEEK);
        }
        case ZIP_SOURCE_TELL:
            return file_.pos();
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(
                ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                ZIP_SOURCE_SUPPORTS, -1);
        default:
            return fail(ZIP_ER_OPNOTSUPP);
        }
    }

    RegularFile opened_;
    QFile file_; // reads opened_, so goes first
    zip_error_t error_;
};

// What the directory says of one entry that refuses the archive: encrypted,
// a link or special file, compressed in a way not known, or larger than
// the limits allow.
std::optional<QString> entryRefusal(zip_t* archive, zip_uint64_t index, const zip_stat_t& stat,
                                    const SharedSetLimits& limits) {
    const QString shown = quotedName(QString::fromUtf8(stat.name));
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
        return QStringLiteral("položka „%1“ je zašifrovaná").arg(shown);
    }
    if (!plainFileOrFolder(archive, index)) {
        return QStringLiteral("položka „%1“ je odkaz nebo zvláštní soubor, ne fotografie")
            .arg(shown);
    }
    if ((stat.valid & ZIP_STAT_COMP_METHOD) && stat.comp_method != ZIP_CM_STORE &&
        stat.comp_method != ZIP_CM_DEFLATE) {
        return QStringLiteral("položka „%1“ je zkomprimovaná neznámým způsobem").arg(shown);
    }
    if (isFolder(QString::fromLatin1(stat.name))) {
        return stat.size == 0 ? std::nullopt : std::optional(openRefusal(ZIP_ER_INCONS));
    }
    if (stat.size > static_cast<zip_uint64_t>(limits.entryBytes)) {
        return QStringLiteral("položka „%1“ má po rozbalení víc než %2 MiB")
            .arg(shown, mib(limits.entryBytes));
    }
    return std::nullopt;
}

} // namespace

struct SetArchiveReader::Library {
    FileSource file;
    Archive archive;
};

SetArchiveReader::~SetArchiveReader() = default;

SetArchiveReader::SetArchiveReader(const QString& path, const EntryNameRule& allowed,
                                   const SharedSetLimits& limits)
    : library_(std::make_unique<Library>()) {
    open(path, allowed, limits);
}

void SetArchiveReader::open(const QString& path, const EntryNameRule& allowed,
                            const SharedSetLimits& limits) {
    std::optional<QString> why = openArchive(path, limits);
    if (!why) {
        why = judgeEntries(allowed, limits);
    }
    if (why) {
        files_.clear();
        indexes_.clear();
        refusal_ = why;
    }
}

std::optional<QString> SetArchiveReader::openArchive(const QString& path,
                                                     const SharedSetLimits& limits) {
    FileSource& file = library_->file;
    if (!file.open(path)) {
        return QStringLiteral("soubor nejde přečíst");
    }
    // libzip takes an empty file for an empty archive.
    if (file.size() == 0) {
        return QStringLiteral("soubor je prázdný");
    }
    if (file.size() > limits.archiveBytes) {
        return QStringLiteral("soubor je větší než %1 MiB").arg(mib(limits.archiveBytes));
    }
    zip_error_t error;
    zip_error_init(&error);
    const ErrorGuard errorGuard(&error);
    Source source(zip_source_function_create(&FileSource::callback, &file, &error));
    if (!source) {
        return openRefusal(zip_error_code_zip(&error));
    }
    library_->archive.reset(zip_open_from_source(source.get(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!library_->archive) {
        return openRefusal(zip_error_code_zip(&error), file.startsLikeZip());
    }
    source.release(); // the archive owns it now
    return std::nullopt;
}

std::optional<QString> SetArchiveReader::judgeEntries(const EntryNameRule& allowed,
                                                      const SharedSetLimits& limits) {
    zip_t* archive = library_->archive.get();
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0 || count > limits.entries) {
        return QStringLiteral("archiv má víc než %1 položek").arg(limits.entries);
    }
    // Every entry is judged from the directory; nothing is read here.
    QSet<QString> names;
    qint64 total = 0;
    for (zip_uint64_t index = 0; index < static_cast<zip_uint64_t>(count); ++index) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, index, ZIP_FL_ENC_RAW, &stat) != 0 ||
            !(stat.valid & ZIP_STAT_NAME) || !(stat.valid & ZIP_STAT_SIZE)) {
            return openRefusal(ZIP_ER_INCONS);
        }
        const QString name = QString::fromLatin1(stat.name);
        if (name.isEmpty() || !allowed(name) || names.contains(name)) {
            return QStringLiteral("obsahuje položku „%1“, která do sady nepatří")
                .arg(quotedName(QString::fromUtf8(stat.name)));
        }
        names.insert(name);
        if (const auto why = entryRefusal(archive, index, stat, limits)) {
            return why;
        }
        if (isFolder(name)) {
            continue;
        }
        total += static_cast<qint64>(stat.size);
        if (total > limits.totalBytes) {
            return QStringLiteral("po rozbalení by měl víc než %1 MiB").arg(mib(limits.totalBytes));
        }
        files_.push_back({name, static_cast<qint64>(stat.size)});
        indexes_.push_back(index);
    }
    return std::nullopt;
}

std::optional<QByteArray> SetArchiveReader::read(std::size_t i) {
    if (refusal_ || i >= files_.size()) {
        return std::nullopt;
    }
    return readEntry(library_->archive.get(), indexes_[i], files_[i].size);
}

std::optional<QByteArray> writeSetArchive(const std::vector<ArchiveEntry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    const ErrorGuard errorGuard(&error);
    const Source target(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!target) {
        return std::nullopt;
    }
    // The archive is written into target on closing; it must outlive the archive.
    zip_source_keep(target.get());
    zip_t* archive = zip_open_from_source(target.get(), ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        zip_source_free(target.get());
        return std::nullopt;
    }
    const std::time_t now = std::time(nullptr);
    for (const ArchiveEntry& entry : entries) {
        zip_source_t* data = zip_source_buffer(archive, entry.bytes.constData(),
                                               static_cast<zip_uint64_t>(entry.bytes.size()), 0);
        const zip_int64_t index =
            data ? zip_file_add(archive, entry.name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8)
                 : -1;
        if (index < 0) {
            zip_source_free(data);
            zip_discard(archive);
            return std::nullopt;
        }
        const auto at = static_cast<zip_uint64_t>(index);
        const bool photograph = entry.name.endsWith(QLatin1String(".jpg"));
        if (zip_set_file_compression(archive, at, photograph ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) !=
                0 ||
            zip_file_set_mtime(archive, at, now, 0) != 0) {
            zip_discard(archive);
            return std::nullopt;
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return std::nullopt;
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(target.get(), &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
        zip_source_open(target.get()) != 0) {
        return std::nullopt;
    }
    QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_source_read(target.get(), bytes.data(), stat.size);
    zip_source_close(target.get());
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace tarvelo
