// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LearningFolder.h"

#include <cstdlib>

namespace tarvelo {

namespace {
// A variable's value when it names an absolute folder; the XDG rules ignore
// a relative one.
std::optional<std::string> absoluteFolder(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') {
        return std::nullopt;
    }
    return std::string(value);
}
} // namespace

std::optional<std::string> learningFolder() {
    if (const auto data = absoluteFolder("XDG_DATA_HOME")) {
        return *data + "/tarvelo";
    }
    if (const auto home = absoluteFolder("HOME")) {
        return *home + "/.local/share/tarvelo";
    }
    return std::nullopt;
}

} // namespace tarvelo
