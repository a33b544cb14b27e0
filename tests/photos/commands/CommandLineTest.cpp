// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which form of tarvelo-photos the first argument picks, and what the form
// runs with: the one table every command is started from.
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
        {{"tarvelo-photos", "sada.tarvelo"}, "", Core},
        {{"tarvelo-photos", "--class-set"}, "", Core},
        // Only the whole option names a command; the window refuses the rest.
        {{"tarvelo-photos", "--ad", "0", "a.jpg"}, "", Core},
        {{"tarvelo-photos", "--ADD", "0", "a.jpg"}, "", Core},
        {{"tarvelo-photos", "--import", "0", "a.jpg"}, "--import", Core},
        {{"tarvelo-photos", "--add", "0", "a.jpg", "--class-set"}, "--add", Core},
        {{"tarvelo-photos", "--remove", "0", "1"}, "--remove", Core},
        {{"tarvelo-photos", "--export", "a.tarvelo"}, "--export", Core},
        {{"tarvelo-photos", "--import-set", "a.tarvelo"}, "--import-set", Core},
        {{"tarvelo-photos", "--commons", "0"}, "--commons", Core},
        {{"tarvelo-photos", "--commons-add", "0", "File:a.jpg"}, "--commons-add", Core},
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

TEST(CommandLineTest, EveryCommandIsInTheUsageAndHasAUsageOfItsOwn) {
    const QString usage = commandUsage();
    for (const char* option : {"--import", "--add", "--remove", "--paper-test", "--export",
                               "--import-set", "--commons", "--commons-add", "--credits"}) {
        SCOPED_TRACE(option);
        const QString own = commandUsage(QString::fromLatin1(option));
        EXPECT_TRUE(
            own.startsWith(QStringLiteral("usage: tarvelo-photos ") + QLatin1String(option)));
        EXPECT_FALSE(own.contains(QLatin1Char('\n')));
        // The same line, indented, in the whole usage.
        EXPECT_TRUE(usage.contains(own.mid(7) + QLatin1Char('\n')));
        EXPECT_NE(formOf({"tarvelo-photos", option}).run, nullptr);
    }
    EXPECT_EQ(commandUsage(u"--bogus"), usage);
}

} // namespace
} // namespace tarvelo::testing
