// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Photographs' credits for the window's tests: one from Commons, a
// teacher's own, and a set that has both.
#pragma once

#include "CreditText.h"
#include "SetCredits.h"
#include "WindowFixture.h"

namespace tarvelo::testing {

inline const PhotoCredit fromCommons{
    .author = QStringLiteral("Jan Novák"),
    .licence = QStringLiteral("CC BY-SA 4.0"),
    .licenceUrl = QStringLiteral("https://creativecommons.org/licenses/by-sa/4.0/"),
    .page = QStringLiteral("https://commons.wikimedia.org/wiki/File:Hereford_bull.jpg"),
    .shortPage = QStringLiteral("https://commons.wikimedia.org/w/index.php?curid=4242"),
    .title = QStringLiteral("File:Hereford bull.jpg")};

// A credit without a page, as a teacher gives one.
inline PhotoCredit own(const QString& author, const QString& licence, const QString& terms = {}) {
    PhotoCredit credit;
    credit.author = author;
    credit.licence = licence;
    credit.licenceUrl = terms;
    return credit;
}

inline const PhotoCredit ownCredit =
    own(QStringLiteral("Petra Malá"), QStringLiteral("Všechna práva vyhrazena"));

// A set whose Hereford (4) has a photograph from Commons and an own one,
// Galloway (11) one without a credit.
class CreditsFixture : public WindowFixture {
protected:
    void openWithCredits() {
        open();
        ASSERT_TRUE(importInto(
            4, {writePhoto("commons.jpg", 1600, 1200), writePhoto("own.jpg", 900, 1200)}));
        ASSERT_TRUE(importInto(11, writePhoto("bare.jpg", 1200, 900)));
        ASSERT_FALSE(recordCredit(window->view()->photoSet(), setFile(0, 4), fromCommons));
        ASSERT_FALSE(recordCredit(window->view()->photoSet(), setFile(1, 4), ownCredit));
    }
    QLabel* creditLine() const { return window->view()->creditLabel(); }
};

} // namespace tarvelo::testing
