// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which form of tarvelo-photos the first argument picks, and what the form
// runs with: the one table every command is started from. That each command
// runs and says its usage, tests/photos/commands/*.sh see.
#include "CommandLine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tarvelo::testing {
namespace {

const CommandForm& formOf(std::vector<std::string> words) {
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    return commandFor(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLineTest, FirstArgumentPicksTheFormAndWhatItRunsIn) {
    using enum CommandApplication;
    struct Case {
        std::vector<std::string> argv;
        std::string option; // empty: the window
        CommandApplication application;
    };
    const std::vector<Case> cases = {
        {{"tarvelo-photos"}, "", Core},
        {{"tarvelo-photos", "Třída 3.B"}, "", Core},
        {{"tarvelo-photos", "--class-set"}, "", Core},
        // Only the whole option names a command; the window refuses the rest.
        {{"tarvelo-photos", "--ad", "0", "a.jpg"}, "", Core},
        {{"tarvelo-photos", "--ADD", "0", "a.jpg"}, "", Core},
        {{"tarvelo-photos", "--add", "0", "a.jpg", "--class-set"}, "--add", Core},
        {{"tarvelo-photos", "--credits"}, "--credits", Core},
        {{"tarvelo-photos", "--help"}, "--help", Core},
        // The written test draws text: fonts, without a display.
        {{"tarvelo-photos", "--paper-test", "a.pdf"}, "--paper-test", HeadlessGui},
        // An option later on does not change the form the first one picks.
        {{"tarvelo-photos", "--credits", "--paper-test"}, "--credits", Core},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argv.size() > 1 ? c.argv[1] : "(none)");
        const CommandForm& form = formOf(c.argv);
        EXPECT_EQ(std::string(form.option), c.option);
        EXPECT_EQ(form.run != nullptr, !c.option.empty());
        EXPECT_EQ(form.application, c.application);
    }
}

} // namespace
} // namespace tarvelo::testing
