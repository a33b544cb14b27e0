// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer's mutations, aware of the ZIP archive a shared set is: half of
// them change the file's bytes as they are, which tries the archive's own
// structure; the other half change one entry's content or name and write the
// archive anew, checksums and sizes right, so that the manifest and the
// photographs inside, which a changed byte would otherwise only make fail
// their checksum, are tried too.
#include "ZipHandles.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>
#include <zip.h>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace {

struct Entry {
    std::string name;
    std::vector<std::uint8_t> bytes;
    bool folder = false;
    bool deflated = false;
    zip_uint8_t system = ZIP_OPSYS_UNIX;
    zip_uint32_t attributes = 0;
};

using tarvelo::libzip::Archive;
using tarvelo::libzip::File;
using tarvelo::libzip::Source;

// Every entry of the archive in data, or nothing when libzip cannot read all
// of it; bounded so that a mutation never inflates much.
std::optional<std::vector<Entry>> entriesOf(const std::uint8_t* data, std::size_t size) {
    constexpr zip_uint64_t largest = 1 << 20;
    Source source(zip_source_buffer_create(data, size, 0, nullptr));
    if (!source) {
        return std::nullopt;
    }
    const Archive archive(zip_open_from_source(source.get(), ZIP_RDONLY, nullptr));
    if (!archive) {
        return std::nullopt;
    }
    source.release(); // the archive owns it now
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    std::vector<Entry> entries;
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), index, ZIP_FL_ENC_RAW, &stat) != 0 ||
            !(stat.valid & ZIP_STAT_SIZE) || stat.size > largest) {
            return std::nullopt;
        }
        Entry entry;
        entry.name = stat.name;
        entry.folder = !entry.name.empty() && entry.name.back() == '/';
        entry.deflated = (stat.valid & ZIP_STAT_COMP_METHOD) && stat.comp_method == ZIP_CM_DEFLATE;
        zip_file_get_external_attributes(archive.get(), index, 0, &entry.system, &entry.attributes);
        entry.bytes.resize(static_cast<std::size_t>(stat.size));
        const File file(zip_fopen_index(archive.get(), index, 0));
        if (!file || zip_fread(file.get(), entry.bytes.data(), stat.size) !=
                         static_cast<zip_int64_t>(stat.size)) {
            return std::nullopt;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

// The entries as a new archive, every time alike for the same entries.
std::optional<std::vector<std::uint8_t>> archiveOf(const std::vector<Entry>& entries) {
    const Source target(zip_source_buffer_create(nullptr, 0, 0, nullptr));
    if (!target) {
        return std::nullopt;
    }
    zip_source_keep(target.get());
    zip_t* archive = zip_open_from_source(target.get(), ZIP_TRUNCATE, nullptr);
    if (archive == nullptr) {
        zip_source_free(target.get());
        return std::nullopt;
    }
    for (const Entry& entry : entries) {
        zip_int64_t index = -1;
        if (entry.folder) {
            index = zip_dir_add(archive, entry.name.c_str(), ZIP_FL_ENC_RAW);
        } else {
            zip_source_t* data =
                zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
            index = zip_file_add(archive, entry.name.c_str(), data, ZIP_FL_ENC_RAW);
            if (index < 0) {
                zip_source_free(data);
            }
        }
        if (index < 0) {
            zip_discard(archive);
            return std::nullopt;
        }
        const auto at = static_cast<zip_uint64_t>(index);
        zip_set_file_compression(archive, at, entry.deflated ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
        zip_file_set_external_attributes(archive, at, 0, entry.system, entry.attributes);
        zip_file_set_mtime(archive, at, 0, 0);
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return std::nullopt;
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(target.get(), &stat) != 0 || zip_source_open(target.get()) != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.size));
    const zip_int64_t read = zip_source_read(target.get(), bytes.data(), stat.size);
    zip_source_close(target.get());
    if (read != static_cast<zip_int64_t>(stat.size)) {
        return std::nullopt;
    }
    return bytes;
}

// libFuzzer's own mutation of bytes, allowed to grow them a little.
void mutate(std::vector<std::uint8_t>& bytes, std::size_t room) {
    const std::size_t size = bytes.size();
    bytes.resize(size + room);
    bytes.resize(LLVMFuzzerMutate(bytes.data(), size, bytes.size()));
}

} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
    std::minstd_rand random(seed);
    if (random() % 2 == 0) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    auto entries = entriesOf(data, size);
    if (!entries || entries->empty()) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    Entry& entry = (*entries)[random() % entries->size()];
    switch (random() % 8) {
    case 0: { // the name
        std::vector<std::uint8_t> name(entry.name.begin(), entry.name.end());
        mutate(name, 4);
        entry.name.assign(name.begin(), name.end());
        entry.name.resize(std::strlen(entry.name.c_str())); // libzip takes C strings
        entry.folder = !entry.name.empty() && entry.name.back() == '/';
        break;
    }
    case 1:
        entry.deflated = !entry.deflated;
        break;
    default: // the content
        mutate(entry.bytes, 64);
        break;
    }
    const auto archive = archiveOf(*entries);
    if (!archive || archive->size() > maxSize) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    std::memcpy(data, archive->data(), archive->size());
    return archive->size();
}
