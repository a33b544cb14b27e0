// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationTitle.h"

#include <gtest/gtest.h>

using tarvelo::applicationTitleFrom;
using tarvelo::errorBoxText;

TEST(ApplicationTitle, FileNameCutAtFirstDotAndLowerCasedAfterTheFirstCharacter) {
    EXPECT_EQ(applicationTitleFrom("/usr/bin/tarvelo"), "tarvelo");
    EXPECT_EQ(applicationTitleFrom("C:/hry/QUIZ.EXE"), "Quiz");
    EXPECT_EQ(applicationTitleFrom("/opt/quiz.beta.exe"), "quiz");
    EXPECT_EQ(applicationTitleFrom("/home/ucitel/TarVelo"), "Tarvelo");
    EXPECT_EQ(applicationTitleFrom("Kráva.x"), "Kráva");
    EXPECT_EQ(applicationTitleFrom("/dir.with.dots/prog"), "prog");
}

TEST(ErrorBoxText, PeriodOnlyAfterCharactersSortingAfterThePeriod) {
    EXPECT_EQ(errorBoxText("JPEG error #53"), "JPEG error #53.");
    EXPECT_EQ(errorBoxText("Stream read error"), "Stream read error.");
    EXPECT_EQ(errorBoxText("Why?"), "Why?.");
    EXPECT_EQ(errorBoxText("Note:"), "Note:.");
    EXPECT_EQ(errorBoxText("Done."), "Done.");
    EXPECT_EQ(errorBoxText("Stop!"), "Stop!");
    EXPECT_EQ(errorBoxText("(x)"), "(x)");
    EXPECT_EQ(errorBoxText("a-"), "a-");
    EXPECT_EQ(errorBoxText("ends in space "), "ends in space ");
    EXPECT_EQ(errorBoxText("Chyba souboru č"), "Chyba souboru č.");
    EXPECT_EQ(errorBoxText(""), "");
}
