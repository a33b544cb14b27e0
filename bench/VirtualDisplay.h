// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

namespace tarvelo::bench {

// An Xvfb server on a free display number, for as long as the object lives.
class VirtualDisplay {
public:
    // None when Xvfb is not installed or does not come up.
    static std::optional<VirtualDisplay> start();

    VirtualDisplay(VirtualDisplay&& other) noexcept;
    VirtualDisplay& operator=(VirtualDisplay&&) = delete;
    ~VirtualDisplay();

    // The DISPLAY value, e.g. ":1".
    const std::string& name() const { return name_; }

private:
    VirtualDisplay(pid_t pid, std::string name) : pid_(pid), name_(std::move(name)) {}

    pid_t pid_ = -1;
    std::string name_;
};

} // namespace tarvelo::bench
