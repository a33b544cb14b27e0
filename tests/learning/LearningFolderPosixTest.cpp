// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LearningFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using namespace tarvelo;

namespace {

// Sets or unsets a variable for the test's span, as it was before afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedVariable() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(LearningFolderPosixTest, TheAccountsDataFolderAsXdgSays) {
    struct Case {
        const char* dataHome;
        const char* home;
        std::optional<std::string> folder;
    };
    const std::vector<Case> cases{
        {"/data/žák", "/home/žák", "/data/žák/tarvelo"},
        {nullptr, "/home/žák", "/home/žák/.local/share/tarvelo"},
        {"", "/home/žák", "/home/žák/.local/share/tarvelo"},
        {"relative/data", "/home/žák", "/home/žák/.local/share/tarvelo"},
        {nullptr, nullptr, std::nullopt},
        {nullptr, "", std::nullopt},
    };
    for (const Case& c : cases) {
        const ScopedVariable dataHome("XDG_DATA_HOME", c.dataHome);
        const ScopedVariable home("HOME", c.home);
        EXPECT_EQ(learningFolder(), c.folder) << (c.dataHome ? c.dataHome : "(unset)");
        EXPECT_EQ(learningFilePath(), c.folder
                                          ? std::optional<std::string>(*c.folder + "/learning.txt")
                                          : std::nullopt);
    }
}

} // namespace
