// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>
#include <vector>
#include <zip.h>

// ZIP archives made by hand for the shared set's tests and fuzz seeds: written
// by libzip with whatever names and attributes a hostile file may carry, then
// altered where libzip would not write them so.
namespace tarvelo::fixtures {

struct RawEntry {
    std::string name; // raw bytes; a name ending in "/" is a folder
    QByteArray bytes;
    zip_int32_t method = ZIP_CM_DEFAULT;
    zip_uint32_t unixMode = 0100644; // a plain file
};

// An archive in memory, written by libzip as it was told.
QByteArray rawArchive(const std::vector<RawEntry>& entries);

// Where entry n's data starts, after its local header.
qsizetype entryData(const QByteArray& zip, std::size_t n);
// Entry n's uncompressed size as both its headers declare it.
QByteArray withDeclaredSize(QByteArray zip, std::size_t n, std::uint32_t size);
// Entry n's compression method in both headers.
QByteArray withMethod(QByteArray zip, std::size_t n, std::uint16_t method);
// Every entry marked encrypted, as an encrypting zip tool marks them.
QByteArray encrypted(QByteArray zip);
// Every occurrence of one name (of the same length) renamed, in both headers:
// how two entries come to share a name, which libzip will not write.
QByteArray renamed(QByteArray zip, const QByteArray& from, const QByteArray& to);

} // namespace tarvelo::fixtures
