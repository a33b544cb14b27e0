// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedCatalogue.h"
#include "CzechCounts.h"
#include "PhotoSet.h"
#include "PictureBox.h"
#include "QuizWindows.h"
#include "SetCredits.h"
#include "StudyCredit.h"
#include "StudyDeck.h"
#include "StudyWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTest>
#include <map>
#include <optional>
#include <set>
#include <tuple>

namespace tarvelo::testing {
namespace {

// A set described by how many photographs each breed has (`others` for the
// breeds not named), numbered from 0 without gaps unless `gaps` leaves some
// folders out.
PhotoLookup setWith(std::map<int, int> counts, std::set<int> gaps = {}, int others = 1) {
    return [counts, gaps, others](const std::string& path) {
        for (int breed = 0; breed < breedCount; ++breed) {
            const auto found = counts.find(breed);
            const int count = found == counts.end() ? others : found->second;
            for (int photo = 0; photo < count; ++photo) {
                if (path == photoPath(breed, photo)) {
                    return gaps.count(photo) == 0 || photo == 0;
                }
            }
        }
        return false;
    };
}

TEST(StudyDeckTest, EveryPhotographOnceInEitherOrderAndNoBreedTwiceInARowWhenMixed) {
    struct DeckCase {
        const char* name;
        PhotoLookup set;
        int cards;
    };
    const std::vector<DeckCase> cases{
        {"the drawings", setWith({}), 19},
        {"a few breeds with more", setWith({{0, 3}, {4, 2}, {16, 10}}), 19 + 2 + 1 + 9},
        {"every breed full", setWith({}, {}, 10), 190},
        {"a set with gaps", setWith({{2, 5}}, {1, 3}), 19 + 2},
    };
    for (const auto& c : cases) {
        for (const std::uint32_t seed : {1u, 7u, 12345u}) {
            const StudyDeck catalogue(c.set, StudyOrder::Catalogue, seed);
            const StudyDeck mixed(c.set, StudyOrder::Mixed, seed);
            ASSERT_EQ(catalogue.size(), c.cards) << c.name;
            ASSERT_EQ(mixed.size(), c.cards) << c.name;

            std::set<std::string> paths;
            std::set<std::string> mixedPaths;
            for (std::size_t i = 0; i < catalogue.cards().size(); ++i) {
                const StudyCard& card = catalogue.cards()[i];
                EXPECT_TRUE(c.set(card.path)) << c.name << " " << card.path;
                EXPECT_EQ(card.path, photoPath(card.breed, card.photo)) << c.name;
                EXPECT_TRUE(card.photoNumber >= 1 && card.photoNumber <= card.photoCount);
                if (i > 0) {
                    // Breed by breed, each breed's photographs in order; mixed, no
                    // breed twice in a row.
                    const StudyCard& before = catalogue.cards()[i - 1];
                    EXPECT_TRUE(before.breed < card.breed ||
                                (before.breed == card.breed && before.photo < card.photo))
                        << c.name << " at " << i;
                    EXPECT_NE(mixed.cards()[i].breed, mixed.cards()[i - 1].breed)
                        << c.name << " seed " << seed << " at " << i;
                }
                paths.insert(card.path);
                mixedPaths.insert(mixed.cards()[i].path);
            }
            EXPECT_EQ(mixedPaths, paths) << c.name;
        }
    }
}

// Moving past either end is checked through the window's keys below.
TEST(StudyDeckTest, ACardKnowsItsPlaceAmongItsBreedsAndAnotherOrderKeepsItOnDisplay) {
    StudyDeck deck(setWith({{3, 4}}), StudyOrder::Catalogue, 5);
    for (int i = 0; i < 4; ++i) {
        deck.next();
    }
    const StudyCard shown = deck.current();
    EXPECT_EQ(std::tuple(shown.breed, shown.photo, shown.photoNumber, shown.photoCount),
              std::tuple(3, 1, 2, 4));
    for (const StudyOrder order : {StudyOrder::Mixed, StudyOrder::Catalogue, StudyOrder::Mixed}) {
        deck.setOrder(order, 99);
        EXPECT_EQ(deck.order(), order);
        EXPECT_EQ(deck.current().path, shown.path);
        EXPECT_EQ(deck.size(), 19 + 3);
    }
}

struct CreditCase {
    const char* name;
    PhotoCredit credit;
    QString line;
};

TEST(StudyCreditTest, TheLineNamesAuthorLicenceAndPageAsPlainBoundedText) {
    const QString longName(300, QLatin1Char('a'));
    const std::vector<CreditCase> cases{
        {"from Commons",
         {"Jan Novák", "CC BY-SA 4.0", "https://creativecommons.org/licenses/by-sa/4.0/",
          "https://commons.wikimedia.org/wiki/File:Jersey_cow.jpg", "", "File:Jersey cow.jpg"},
         "Foto: Jan Novák · CC BY-SA 4.0 · https://commons.wikimedia.org/wiki/File:Jersey_cow.jpg"},
        {"the short page first",
         {"Eva", "CC0", "", "https://commons.wikimedia.org/wiki/File:Long_name.jpg",
          "https://commons.wikimedia.org/w/index.php?curid=42", ""},
         "Foto: Eva · CC0 · https://commons.wikimedia.org/w/index.php?curid=42"},
        {"a teacher's own", {"Třída 5.B", "", "", "", "", ""}, "Foto: Třída 5.B"},
        {"no author", {"", "CC0", "", "https://example.org/x", "", ""}, ""},
        {"markup and controls stay text",
         {"<b>Jan</b>\n\u202eNovák", "CC\tBY", "", "javascript:alert(1)", "", ""},
         "Foto: <b>Jan</b> Novák · CC BY · javascript:alert(1)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(creditLine(c.credit), c.line) << c.name;
    }
    const QString cut = creditLine({longName, "CC0", "", "", "", ""});
    EXPECT_LT(cut.size(), 100) << "an author of 300 characters is cut";
    EXPECT_TRUE(cut.contains(QStringLiteral("… · CC0")));
}

using StudyTest = QuizWindows;

TEST_F(StudyTest, NamesHiddenUntilAskedArrowsStepSourcesShowAndEscapeGoesBackToTheStartWindow) {
    writeFurtherPhoto(0, 1);
    writeFurtherPhoto(0, 2);
    const PhotoSet set(QDir::currentPath(), QString());
    ASSERT_EQ(recordCredit(set, set.pathOf(photoPath(0, 1)),
                           {"Jan Novák", "CC BY 4.0", "",
                            "https://commons.wikimedia.org/wiki/File:Charolais.jpg", "", ""}),
              std::nullopt);
    writeFile(picturePath(2), "not a picture");
    startProgram();
    QTest::keyClick(&form2(), Qt::Key_R, Qt::AltModifier); // "Prohlížení"
    StudyWindow* study = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&study] { // a shortcut clicks a moment later
        return (study = qobject_cast<StudyWindow*>(QApplication::activeWindow())) != nullptr;
    }));
    settle();
    EXPECT_FALSE(form2().isVisible());
    EXPECT_EQ(study->windowTitle(), "Prohlížení");
    EXPECT_EQ(study->Reveal->text(), "Ukázat název");
    EXPECT_FALSE(study->Mixed->isChecked());
    EXPECT_EQ(study->Credit->textFormat(), Qt::PlainText);

    const QString source = QStringLiteral(
        "Foto: Jan Novák · CC BY 4.0 · https://commons.wikimedia.org/wiki/File:Charolais.jpg");
    const QString unreadable = QStringLiteral("Fotografii nelze načíst");
    const std::map<int, QString> credits{{1, source}, {4, unreadable}}; // by position
    const std::map<int, QString> names{{0, "Charolais"}, {1, "Charolais"}, {20, "Brown Swiss"}};
    struct Step {
        Qt::Key key;
        int position;
        bool nameShown;
    };
    const std::vector<Step> steps{
        {Qt::Key_Space, 0, true},  {Qt::Key_Right, 1, false}, {Qt::Key_Return, 1, true},
        {Qt::Key_Down, 2, false},  {Qt::Key_Right, 3, false}, {Qt::Key_Right, 4, false},
        {Qt::Key_Left, 3, false},  {Qt::Key_Up, 2, false},    {Qt::Key_Left, 1, false},
        {Qt::Key_Up, 0, false},    {Qt::Key_Left, 20, false}, {Qt::Key_Enter, 20, true},
        {Qt::Key_Right, 0, false},
    };
    for (const Step& step : steps) {
        QTest::keyClick(study, step.key);
        settle();
        EXPECT_EQ(study->Position->text(),
                  QStringLiteral("Fotografie ") + ofCount(step.position + 1, 21))
            << step.key;
        EXPECT_EQ(study->NamePanel->isVisible(), step.nameShown) << step.key;
        EXPECT_EQ(study->Reveal->isEnabled(), !step.nameShown) << step.key;
        if (step.nameShown) {
            EXPECT_EQ(study->Name->text(), names.at(step.position));
        }
        // An unreadable photograph is said in its place, not in an error box.
        const QString credit = credits.contains(step.position) ? credits.at(step.position) : "";
        const QString shown = study->Credit->text();
        EXPECT_TRUE(credit.isEmpty() ? shown.isEmpty() : shown.startsWith(credit))
            << step.position << " " << shown.toStdString();
        if (credit != unreadable) {
            EXPECT_NE(study->Image->state(), PictureBox::State::Failed) << step.position;
        }
    }
    EXPECT_TRUE(errorBoxes.empty());

    // The name is heard when it is shown, never before.
    QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(study->NamePanel);
    EXPECT_EQ(panel->role(), QAccessible::AlertMessage);
    EXPECT_EQ(panel->childCount(), 0);
    QTest::keyClick(study, Qt::Key_Space);
    ASSERT_EQ(panel->childCount(), 1);
    EXPECT_EQ(panel->child(0)->text(QAccessible::Name), "Charolais");

    // Mixed by Alt+Z: the photograph on display stays.
    const std::string shown = study->deck().current().path;
    QTest::keyClick(study, Qt::Key_Z, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([study] { return study->Mixed->isChecked(); }));
    EXPECT_EQ(study->deck().order(), StudyOrder::Mixed);
    EXPECT_EQ(study->deck().current().path, shown);

    QTest::keyClick(study, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(study->isVisible());
    EXPECT_TRUE(form2().isVisible());
    EXPECT_TRUE(form2().GroupBox1->isVisible());
    EXPECT_EQ(form2().modalResult(), mrNone);

    // The test still starts as before.
    press(Qt::Key_Return);
    EXPECT_TRUE(form1().isVisible());
    EXPECT_EQ(round().questionNumber, 1);
}

} // namespace
} // namespace tarvelo::testing
