// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LearningFolder.h"

#include "Utf8Path.h"

namespace tarvelo {

std::optional<std::string> learningFilePath() {
    const std::optional<std::string> folder = learningFolder();
    if (!folder) {
        return std::nullopt;
    }
    return utf8FromPath(pathFromUtf8(*folder) / pathFromUtf8(std::string(learningFileName)));
}

} // namespace tarvelo
