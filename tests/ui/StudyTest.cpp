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
#include <set>

namespace tarvelo::testing {
namespace {

// A set described by how many photographs each breed has, numbered from 0
// without gaps unless `gaps` leaves some folders out.
PhotoLookup setWith(std::map<int, int> extra, std::set<int> gaps = {}) {
    return [extra, gaps](const std::string& path) {
        for (int breed = 0; breed < breedCount; ++breed) {
            const auto found = extra.find(breed);
            const int count = found == extra.end() ? 1 : found->second;
            for (int photo = 0; photo < count; ++photo) {
                if (path == photoPath(breed, photo)) {
                    return gaps.count(photo) == 0 || photo == 0;
                }
            }
        }
        return false;
    };
}

struct DeckCase {
    const char* name;
    PhotoLookup set;
    int cards;
};

TEST(StudyDeckTest, EveryPhotographOnceInEitherOrderAndNoBreedTwiceInARowWhenMixed) {
    const std::vector<DeckCase> cases{
        {"the drawings", setWith({}), 19},
        {"a few breeds with more", setWith({{0, 3}, {4, 2}, {16, 10}}), 19 + 2 + 1 + 9},
        {"every breed full",
         setWith({{0, 10},
                  {1, 10},
                  {2, 10},
                  {3, 10},
                  {4, 10},
                  {5, 10},
                  {6, 10},
                  {7, 10},
                  {8, 10},
                  {9, 10},
                  {10, 10},
                  {11, 10},
                  {12, 10},
                  {13, 10},
                  {14, 10},
                  {15, 10},
                  {16, 10},
                  {17, 10},
                  {18, 10}}),
         190},
        {"a set with gaps", setWith({{2, 5}}, {1, 3}), 19 + 2},
    };
    for (const auto& c : cases) {
        for (const std::uint32_t seed : {1u, 7u, 12345u}) {
            const StudyDeck catalogue(c.set, StudyOrder::Catalogue, seed);
            const StudyDeck mixed(c.set, StudyOrder::Mixed, seed);
            ASSERT_EQ(catalogue.size(), c.cards) << c.name;
            ASSERT_EQ(mixed.size(), c.cards) << c.name;

            std::set<std::string> paths;
            for (std::size_t i = 0; i < catalogue.cards().size(); ++i) {
                const StudyCard& card = catalogue.cards()[i];
                EXPECT_TRUE(c.set(card.path)) << c.name << " " << card.path;
                EXPECT_EQ(card.path, photoPath(card.breed, card.photo)) << c.name;
                EXPECT_GE(card.photoNumber, 1);
                EXPECT_LE(card.photoNumber, card.photoCount);
                if (i > 0) {
                    const StudyCard& before = catalogue.cards()[i - 1];
                    // Breed by breed, each breed's photographs in order.
                    EXPECT_TRUE(before.breed < card.breed ||
                                (before.breed == card.breed && before.photo < card.photo))
                        << c.name << " at " << i;
                }
                paths.insert(card.path);
            }
            EXPECT_EQ(paths.size(), catalogue.cards().size()) << c.name;

            std::set<std::string> mixedPaths;
            for (std::size_t i = 0; i < mixed.cards().size(); ++i) {
                mixedPaths.insert(mixed.cards()[i].path);
                if (i > 0) {
                    EXPECT_NE(mixed.cards()[i].breed, mixed.cards()[i - 1].breed)
                        << c.name << " seed " << seed << " at " << i;
                }
            }
            EXPECT_EQ(mixedPaths, paths) << c.name;
        }
    }
}

TEST(StudyDeckTest, MovingWrapsAroundAndAnotherOrderKeepsThePhotographOnDisplay) {
    StudyDeck deck(setWith({{3, 4}}), StudyOrder::Catalogue, 5);
    const int size = deck.size();
    deck.previous();
    EXPECT_EQ(deck.position(), size - 1);
    EXPECT_EQ(deck.current().breed, 18);
    deck.next();
    EXPECT_EQ(deck.position(), 0);
    for (int i = 0; i < 4; ++i) {
        deck.next();
    }
    const StudyCard shown = deck.current();
    EXPECT_EQ(shown.breed, 3);
    EXPECT_EQ(shown.photo, 1);
    EXPECT_EQ(shown.photoNumber, 2);
    EXPECT_EQ(shown.photoCount, 4);

    for (const StudyOrder order : {StudyOrder::Mixed, StudyOrder::Catalogue, StudyOrder::Mixed}) {
        deck.setOrder(order, 99);
        EXPECT_EQ(deck.order(), order);
        EXPECT_EQ(deck.current().path, shown.path);
        EXPECT_EQ(deck.size(), size);
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

StudyWindow* openStudy(TForm2& form2) {
    QTest::mouseClick(form2.Button5, Qt::LeftButton);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* study = qobject_cast<StudyWindow*>(top); study != nullptr && study->isVisible()) {
            return study;
        }
    }
    return nullptr;
}

TEST_F(StudyTest, NamesHiddenUntilAskedArrowsStepAndEscapeGoesBackToTheStartWindow) {
    writeFurtherPhoto(0, 1);
    writeFurtherPhoto(0, 2);
    startProgram();
    StudyWindow* study = openStudy(form2());
    ASSERT_NE(study, nullptr);
    settle();
    EXPECT_FALSE(form2().isVisible());
    EXPECT_EQ(study->windowTitle(), "Prohlížení");
    EXPECT_EQ(study->deck().size(), 21);
    EXPECT_EQ(study->Reveal->text(), "Ukázat název");
    EXPECT_FALSE(study->Mixed->isChecked());

    struct Step {
        Qt::Key key;
        int position;
        bool nameShown;
        QString name;
    };
    const std::vector<Step> steps{
        {Qt::Key_Space, 0, true, "Charolais"},    {Qt::Key_Right, 1, false, "Charolais"},
        {Qt::Key_Return, 1, true, "Charolais"},   {Qt::Key_Down, 2, false, "Charolais"},
        {Qt::Key_Right, 3, false, "Salers"},      {Qt::Key_Left, 2, false, "Charolais"},
        {Qt::Key_Up, 1, false, "Charolais"},      {Qt::Key_Left, 0, false, "Charolais"},
        {Qt::Key_Left, 20, false, "Brown Swiss"}, {Qt::Key_Enter, 20, true, "Brown Swiss"},
    };
    for (const Step& step : steps) {
        QTest::keyClick(study, step.key);
        settle();
        EXPECT_EQ(study->deck().position(), step.position) << step.key;
        EXPECT_EQ(study->NamePanel->isVisible(), step.nameShown) << step.key;
        EXPECT_EQ(study->Reveal->isEnabled(), !step.nameShown) << step.key;
        if (step.nameShown) {
            EXPECT_EQ(study->Name->text(), step.name);
        }
        EXPECT_EQ(study->Position->text(),
                  QStringLiteral("Fotografie ") + ofCount(step.position + 1, 21))
            << step.key;
        EXPECT_NE(study->Image->state(), PictureBox::State::Failed);
    }

    // The name is heard when it is shown, never before.
    QTest::keyClick(study, Qt::Key_Right);
    QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(study->NamePanel);
    EXPECT_EQ(panel->role(), QAccessible::AlertMessage);
    EXPECT_EQ(panel->childCount(), 0);
    QTest::keyClick(study, Qt::Key_Space);
    ASSERT_EQ(panel->childCount(), 1);
    EXPECT_EQ(panel->child(0)->text(QAccessible::Name), "Charolais");

    // Mixed by Alt+Z: the photograph on display stays.
    const std::string shown = study->deck().current().path;
    QTest::keyClick(study, Qt::Key_Z, Qt::AltModifier);
    QTRY_VERIFY(study->Mixed->isChecked()); // a shortcut clicks a moment later
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

TEST_F(StudyTest, ACreditedPhotographShowsItsSourceAndAnUnreadableOneSaysSo) {
    writeFurtherPhoto(1, 1);
    const PhotoSet set(QDir::currentPath(), QString());
    const PhotoCredit credit{
        "Jan Novák", "CC BY 4.0", "", "https://commons.wikimedia.org/wiki/File:Salers.jpg", "", ""};
    ASSERT_EQ(recordCredit(set, set.pathOf(photoPath(1, 1)), credit), std::nullopt);
    writeFile(picturePath(2), "not a picture");
    startProgram();
    StudyWindow* study = openStudy(form2());
    ASSERT_NE(study, nullptr);

    struct Shown {
        int position;
        QString credit;
    };
    const std::vector<Shown> shown{
        {0, ""},
        {1, ""},
        {2, "Foto: Jan Novák · CC BY 4.0 · https://commons.wikimedia.org/wiki/File:Salers.jpg"},
        {3, "Fotografii nelze načíst"},
    };
    for (const Shown& s : shown) {
        while (study->deck().position() != s.position) {
            QTest::keyClick(study, Qt::Key_Right);
        }
        settle();
        EXPECT_EQ(study->Credit->textFormat(), Qt::PlainText);
        if (s.credit.isEmpty()) {
            EXPECT_EQ(study->Credit->text(), "") << s.position;
        } else {
            EXPECT_TRUE(study->Credit->text().startsWith(s.credit))
                << s.position << " " << study->Credit->text().toStdString();
        }
    }
    EXPECT_TRUE(errorBoxes.empty());
    study->close();
    settle();
    EXPECT_TRUE(form2().isVisible());
}

} // namespace
} // namespace tarvelo::testing
