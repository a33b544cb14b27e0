// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace tarvelo {

// Whether a link may stand where a file is opened.
enum class Links { Follow, Refuse };

// A file opened for reading and judged on what was opened, never on its path
// beforehand: a pipe, device or folder put in a file's place between a look
// and the open is refused as surely as one that was there all along. The
// open itself never waits (a FIFO without a writer would hold it for ever).
class RegularFile {
public:
    enum class Refusal { None, Missing, Folder, NotRegular, Link, Denied, Other };

    // Opens path (UTF-8) for reading; with Links::Refuse, a path that is
    // itself a link (its last part; Windows: any reparse point) is refused.
    explicit RegularFile(const std::string& path, Links links = Links::Follow);
    RegularFile() = default; // nothing open
    ~RegularFile();
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }
    Refusal refusal() const { return refusal_; }
    // The system's error code (errno, or GetLastError on Windows) for why it
    // is not open, as systemErrorText takes it.
    int error() const { return error_; }
    // Its size when it was opened.
    std::uint64_t size() const { return size_; }

    // The C runtime's descriptor for it, closed when this goes (a QFile
    // reads it opened with QFileDevice::DontCloseHandle); -1 when not open.
    int descriptor() const { return descriptor_; }

private:
    void close();

    int descriptor_ = -1;
    Refusal refusal_ = Refusal::Other;
    int error_ = 0;
    std::uint64_t size_ = 0;
};

} // namespace tarvelo
