// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The written test on paper: what it holds (order, pictures, level), drawn
// before anything is printed.
#include "PaperQuiz.h"

#include "BreedCatalogue.h"
#include "PaperQuizFixture.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <set>

namespace tarvelo::fixtures {
namespace {

using PaperQuizTest = PaperQuizFixture;

TEST_F(PaperQuizTest, EveryBreedOnceInADifferentOrderEachTime) {
    const PaperQuiz first = draw(PaperQuizLevel::Advanced, 1);
    const PaperQuiz second = draw(PaperQuizLevel::Advanced, 2);
    std::vector<int> sorted = order(first);
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> all(breedCount);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(sorted, all);
    EXPECT_NE(order(first), order(second));
    EXPECT_EQ(order(draw(PaperQuizLevel::Beginner, 1)), order(first)); // the seed decides
    EXPECT_EQ(draw(PaperQuizLevel::Beginner, 1).level, PaperQuizLevel::Beginner);

    // A set that is not there gives the drawings, and is not made.
    for (const PaperQuestion& question : first.questions) {
        EXPECT_EQ(question.picture,
                  QDir::cleanPath(drawings + QStringLiteral("/%1.jpg").arg(question.breed)));
    }
    EXPECT_FALSE(QFileInfo::exists(root));
}

TEST_F(PaperQuizTest, APhotographIsDrawnAmongTheBreedsOwnWithEqualChances) {
    const std::set<QString> hereford{addPhoto(4, 0, 64, 48), addPhoto(4, 3, 64, 48),
                                     addPhoto(4, 9, 64, 48)};
    const QString onlySecond = addPhoto(5, 2, 64, 48); // a set made by hand, with a gap
    std::map<QString, int> drawn;
    std::mt19937 random(7);
    constexpr int tests = 600;
    for (int i = 0; i < tests; ++i) {
        for (const PaperQuestion& question :
             drawPaperQuiz(root, drawings, PaperQuizLevel::Advanced, random).questions) {
            if (question.breed == 4) {
                ++drawn[question.picture];
            } else if (question.breed == 5) {
                EXPECT_EQ(question.picture, onlySecond);
            } else if (question.breed == 6) {
                EXPECT_EQ(question.picture, QDir::cleanPath(drawings + QStringLiteral("/6.jpg")));
            }
        }
    }
    ASSERT_EQ(drawn.size(), hereford.size());
    for (const auto& [picture, times] : drawn) {
        EXPECT_TRUE(hereford.count(picture)) << picture.toStdString();
        EXPECT_GT(times, 150) << picture.toStdString(); // 200 expected, 4 standard deviations
        EXPECT_LT(times, 250) << picture.toStdString();
    }
}

} // namespace
} // namespace tarvelo::fixtures
