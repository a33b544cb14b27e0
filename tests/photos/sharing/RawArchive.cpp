// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RawArchive.h"

#include <cstdio>
#include <cstdlib>

namespace tarvelo::fixtures {

namespace {

// The local and the central header of every entry, found through the
// directory at the archive's end (written without a comment).
struct Headers {
    qsizetype local;
    qsizetype central;
};
std::uint32_t read32(const QByteArray& bytes, qsizetype at) {
    std::uint32_t value = 0;
    for (qsizetype i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}
std::uint16_t read16(const QByteArray& bytes, qsizetype at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}
void write32(QByteArray& bytes, qsizetype at, std::uint32_t value) {
    for (qsizetype i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
    }
}
std::vector<Headers> headers(const QByteArray& zip) {
    const qsizetype end = zip.size() - 22;
    const std::uint16_t count = read16(zip, end + 10);
    qsizetype central = read32(zip, end + 16);
    std::vector<Headers> found;
    for (std::uint16_t i = 0; i < count; ++i) {
        found.push_back({static_cast<qsizetype>(read32(zip, central + 42)), central});
        central +=
            46 + read16(zip, central + 28) + read16(zip, central + 30) + read16(zip, central + 32);
    }
    return found;
}

} // namespace

// An archive in memory, written by libzip as it was told, names as raw bytes.
QByteArray rawArchive(const std::vector<RawEntry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(target);
    zip_t* zip = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    for (const RawEntry& entry : entries) {
        const bool folder = entry.name.ends_with('/');
        zip_int64_t added = -1;
        if (folder) {
            added = zip_dir_add(zip, entry.name.c_str(), ZIP_FL_ENC_RAW);
        } else {
            zip_source_t* data = zip_source_buffer(
                zip, entry.bytes.constData(), static_cast<zip_uint64_t>(entry.bytes.size()), 0);
            added = zip_file_add(zip, entry.name.c_str(), data, ZIP_FL_ENC_RAW);
        }
        if (added < 0) {
            std::fprintf(stderr, "libzip refused %s\n", entry.name.c_str());
            std::exit(1);
        }
        const auto index = static_cast<zip_uint64_t>(added);
        zip_set_file_compression(zip, index, entry.method, 0);
        zip_file_set_external_attributes(zip, index, 0, ZIP_OPSYS_UNIX,
                                         (folder ? 0040755u : entry.unixMode) << 16);
    }
    zip_close(zip);
    zip_stat_t stat;
    zip_stat_init(&stat);
    zip_source_stat(target, &stat);
    zip_source_open(target);
    QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
    zip_source_read(target, bytes.data(), stat.size);
    zip_source_close(target);
    zip_source_free(target);
    zip_error_fini(&error);
    return bytes;
}

qsizetype entryData(const QByteArray& zip, std::size_t n) {
    const qsizetype local = headers(zip).at(n).local;
    return local + 30 + read16(zip, local + 26) + read16(zip, local + 28);
}

// Entry n's uncompressed size as both its headers declare it.
QByteArray withDeclaredSize(QByteArray zip, std::size_t n, std::uint32_t size) {
    const Headers at = headers(zip).at(n);
    write32(zip, at.local + 22, size);
    write32(zip, at.central + 24, size);
    return zip;
}

// Entry n's compression method in both headers.
QByteArray withMethod(QByteArray zip, std::size_t n, std::uint16_t method) {
    const Headers at = headers(zip).at(n);
    zip[at.local + 8] = static_cast<char>(method & 0xFF);
    zip[at.local + 9] = static_cast<char>(method >> 8);
    zip[at.central + 10] = static_cast<char>(method & 0xFF);
    zip[at.central + 11] = static_cast<char>(method >> 8);
    return zip;
}

// Every entry marked encrypted, as an encrypting zip tool marks them.
QByteArray encrypted(QByteArray zip) {
    for (const Headers& at : headers(zip)) {
        zip[at.local + 6] = static_cast<char>(zip[at.local + 6] | 1);
        zip[at.central + 8] = static_cast<char>(zip[at.central + 8] | 1);
    }
    return zip;
}

// Every occurrence of one name (of the same length) renamed, in both headers:
// how two entries come to share a name, which libzip will not write.
QByteArray renamed(QByteArray zip, const QByteArray& from, const QByteArray& to) {
    return zip.replace(from, to);
}

} // namespace tarvelo::fixtures
