// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedCatalogue.h"
#include "PictureBox.h"
#include "PracticeTexts.h"
#include "QuizWindows.h"

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QMessageBox>
#include <QTest>
#include <filesystem>
#include <map>
#include <set>

namespace tarvelo::testing {
namespace {

// Each breed's photograph has a width of its own, so that the test, like a
// pupil, tells the breed from the picture on display.
constexpr int firstWidth = 160;
constexpr int widthStep = 8;

class PracticeTest : public QuizWindows {
protected:
    PracticeTest() {
        for (int breed = 0; breed < breedCount; ++breed) {
            writePhoto(breed, firstWidth + widthStep * breed, 120);
        }
    }

    static int breedIn(const PictureBox* box) {
        return box->picture() == nullptr ? -1 : (box->picture()->width() - firstWidth) / widthStep;
    }
    int shownBreed() const { return breedIn(form1().Image1); }
    static QString nameOf(int breed) { return QString::fromUtf8(answerName(breed)); }

    bool quizWindowShown() const { return form1().isVisible(); }
    const TForm1& form1() const { return const_cast<PracticeTest*>(this)->program->form1(); }
    using QuizWindows::form1;

    // Plays the practice on display to its end: each breed in `missOnce` is
    // answered wrong the first time it comes (with the next breed's name when
    // `confuse`, else with no breed's), every other answer is right. Checks
    // the rules a pupil sees on the way and returns the number of questions.
    int playPractice(const std::set<int>& missOnce, bool confuse = true) {
        std::map<int, int> missedAt;
        std::set<int> missed;
        int previous = -1;
        int questions = 0;
        std::optional<std::pair<int, int>> confusedComes; // breed, by question
        while (quizWindowShown() && questions < 200) {
            ++questions;
            const int breed = shownBreed();
            EXPECT_EQ(form1().Label6->text(), QString::number(questions) + ". ");
            EXPECT_NE(breed, previous) << "the same breed twice in a row at " << questions;
            EXPECT_TRUE(form1().Label8->isVisible());
            EXPECT_TRUE(form1().Label8->text().startsWith(QStringLiteral("Umím ")));
            if (auto at = missedAt.find(breed); at != missedAt.end()) {
                EXPECT_LE(questions - at->second, 5) << nameOf(breed).toStdString() << " came late";
                missedAt.erase(at);
            }
            if (confusedComes && confusedComes->first == breed) {
                EXPECT_LE(questions, confusedComes->second);
                confusedComes.reset();
            }
            previous = breed;
            const bool missNow = missOnce.count(breed) != 0 && missed.insert(breed).second;
            if (missNow && !confuse) {
                if (form1().Edit1->isVisible()) {
                    answerWith(QStringLiteral("nevím"));
                } else {
                    press(Qt::Key_Return); // nothing chosen
                }
                EXPECT_TRUE(form1().GroupBox3->isVisible());
                EXPECT_FALSE(form1().GroupBox4->isVisible());
                missedAt[breed] = questions;
                press(Qt::Key_Return);
            } else if (missNow) {
                const int other = (breed + 1) % breedCount;
                answerWith(nameOf(other));
                // The correction, and the two breeds side by side.
                EXPECT_TRUE(form1().GroupBox3->isVisible());
                EXPECT_EQ(form1().Label3->text(), nameOf(breed));
                EXPECT_TRUE(form1().GroupBox4->isVisible());
                EXPECT_EQ(form1().Label9->text(), QStringLiteral("Zaměněno s: ") + nameOf(other));
                EXPECT_TRUE(form1().Frame1->isVisible());
                EXPECT_EQ(breedIn(form1().Image2), other);
                EXPECT_EQ(form1().BitBtn1->text(), "NEXT");
                missedAt[breed] = questions;
                confusedComes = {other, questions + 3};
                press(Qt::Key_Return);
                EXPECT_FALSE(form1().GroupBox3->isVisible());
                EXPECT_FALSE(form1().GroupBox4->isVisible());
            } else {
                answerWith(nameOf(breed));
                EXPECT_FALSE(form1().GroupBox3->isVisible()) << questions;
            }
        }
        EXPECT_TRUE(missedAt.empty());
        return questions;
    }
};

struct Level {
    const char* name;
    bool advanced;
    bool confuse;
    // A confused breed is asked soon even when already known.
    int mostQuestions;
};
const std::vector<Level> levels{{"Začátečník", false, false, 19 + 4 * 3},
                                {"Pokročilý", true, false, 19 + 4 * 3},
                                {"Pokročilý, záměny", true, true, 19 + 4 * 3 + 4}};

TEST_F(PracticeTest, APupilWhoMissesFourBreedsOnceFinishesWithinNineteenPlusTwelveAtEitherLevel) {
    for (const Level& level : levels) {
        startProgram();
        EXPECT_TRUE(form2().Button4->isVisible());
        EXPECT_TRUE(form2().Button5->isVisible());
        EXPECT_EQ(form2().Label2->text(), "Dnes není nic k opakování.");
        click(level.advanced ? static_cast<QWidget*>(form2().RadioButton2) : form2().RadioButton1);
        QTest::keyClick(&form2(), Qt::Key_P, Qt::AltModifier); // "Procvičování"
        QTRY_VERIFY(form1().isVisible());                      // a shortcut clicks a moment later
        settle();
        EXPECT_FALSE(form2().isVisible());
        EXPECT_EQ(form1().Edit1->isVisible(), level.advanced);
        EXPECT_EQ(form1().ComboBox1->isVisible(), !level.advanced);
        EXPECT_EQ(form1().Label8->text(), "Umím 0 z 19");
        EXPECT_EQ(form1().Image1->accessibleDescription(), "Otázka 1");

        const int questions = playPractice({2, 5, 9, 16}, level.confuse);
        EXPECT_LE(questions, level.mostQuestions) << level.name;
        EXPECT_GT(questions, 19 + 4) << level.name;

        // The end on the start window's result page, without "Procvičit chyby".
        ASSERT_TRUE(form2().GroupBox2->isVisible());
        EXPECT_EQ(form2().Label1->text().toStdString(), practiceEndText(questions, 19));
        EXPECT_LE(form2().Label1->geometry().bottom(), form2().Button3->geometry().top());
        EXPECT_FALSE(form2().Button6->isVisible());
        EXPECT_FALSE(form2().Button4->isVisible());
        EXPECT_FALSE(form1().Label8->isVisible());
        EXPECT_EQ(form2().Label2->text(), "Dnes není nic k opakování.");
        QTRY_VERIFY(std::filesystem::is_regular_file(memoryPath())); // saved meanwhile

        // The test is ready as it always is after a round.
        press(Qt::Key_Return); // "Znovu"
        press(Qt::Key_Return); // "OK"
        EXPECT_EQ(form1().Label6->text(), "1. ");
        EXPECT_EQ(round().currentPicture, 0);
        EXPECT_EQ(form1().BitBtn1->text(), "OK");
        EXPECT_FALSE(form1().Label8->isVisible());
        EXPECT_EQ(form1().Image1->accessibleDescription(), "Otázka 1 z 19");
        answerRight();
        EXPECT_EQ(round().questionNumber, 2);
        EXPECT_EQ(round().errorCount, 0);

        app().endModal(form2());
        program.reset();
        std::filesystem::remove(memoryPath());
    }
}

TEST_F(PracticeTest, ATestWithErrorsOffersPractisingJustThoseAndAPerfectOneDoesNot) {
    struct Case {
        const char* name;
        std::set<int> wrongQuestions;
    };
    const std::vector<Case> cases{{"perfect", {}}, {"three errors", {1, 7, 19}}};
    for (const Case& c : cases) {
        startProgram();
        startRound(false);
        std::set<int> missedBreeds;
        for (int q = 1; q <= 19; ++q) {
            if (c.wrongQuestions.count(q) != 0) {
                missedBreeds.insert(round().currentPicture);
                press(Qt::Key_Return); // nothing chosen: wrong
                press(Qt::Key_Return); // NEXT, or "Start page"
            } else {
                answerRight();
            }
        }
        ASSERT_TRUE(form2().GroupBox2->isVisible()) << c.name;
        EXPECT_EQ(form2().Button6->isVisible(), !missedBreeds.empty()) << c.name;
        if (!missedBreeds.empty()) {
            EXPECT_EQ(QApplication::focusWidget(), &form2()); // Enter still means "Znovu"
            click(form2().Button6);
            ASSERT_TRUE(form1().isVisible());
            EXPECT_EQ(form1().Label8->text(), "Umím 0 z 3");
            std::set<int> asked;
            int questions = 0;
            while (form1().isVisible() && questions < 20) {
                ++questions;
                asked.insert(shownBreed());
                answerWith(nameOf(shownBreed()));
            }
            EXPECT_EQ(asked, missedBreeds);
            EXPECT_EQ(questions, 3);
            EXPECT_EQ(form2().Label1->text().toStdString(), practiceEndText(3, 3));
            EXPECT_FALSE(form2().Button6->isVisible());
        }
        app().endModal(form2());
        program.reset();
    }
}

TEST_F(PracticeTest, TomorrowTheStartWindowCountsTheDueBreedsAndADamagedMemoryIsSetAside) {
    startProgram();
    click(form2().Button4);
    playPractice({});
    ASSERT_TRUE(form2().isVisible());
    app().endModal(form2());
    program.reset();

    struct Day {
        int daysLater;
        QString due;
    };
    const std::vector<Day> days{{0, "Dnes není nic k opakování."},
                                {1, "K opakování dnes: 19 plemen"},
                                {5, "K opakování dnes: 19 plemen"}};
    const LocalDate first = today;
    for (const Day& day : days) {
        today = first.plusDays(day.daysLater);
        startProgram();
        EXPECT_EQ(form2().Label2->text(), day.due) << day.daysLater;
        app().endModal(form2());
        program.reset();
    }

    // A damaged file: kept aside under another name, said once, practice goes on.
    writeFileAt(memoryPath(), "this is not what practice wrote\n");
    startProgram();
    std::vector<QMessageBox*> notices;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(top); box != nullptr && box->isVisible()) {
            notices.push_back(box);
        }
    }
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices.front()->textFormat(), Qt::PlainText);
    EXPECT_FALSE(notices.front()->text().isEmpty());
    EXPECT_TRUE(errorBoxes.empty());
    notices.front()->close();
    settle();

    int setAside = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(memoryPath()).parent_path())) {
        if (entry.path().filename().string().starts_with("learning.txt.damaged-")) {
            ++setAside;
        }
    }
    EXPECT_EQ(setAside, 1);
    EXPECT_EQ(form2().Label2->text(), "Dnes není nic k opakování.");
    click(form2().Button4);
    ASSERT_TRUE(form1().isVisible());
    answerWith(nameOf(shownBreed()));
    QTRY_VERIFY(std::filesystem::is_regular_file(memoryPath()));
}

TEST_F(PracticeTest, ScreenReadersHearTheConfusionInTheTestAndTheCorrectionStaysAsItWas) {
    startProgram();
    startRound(true);
    click(form1().Edit1);
    type("Jersey"); // another breed's name for Charolais
    press(Qt::Key_Return);

    QAccessibleInterface* correction = QAccessible::queryAccessibleInterface(form1().GroupBox3);
    QAccessibleInterface* confusion = QAccessible::queryAccessibleInterface(form1().GroupBox4);
    ASSERT_EQ(correction->childCount(), 2);
    EXPECT_EQ(correction->child(0)->text(QAccessible::Name), "Charolais");
    EXPECT_EQ(confusion->role(), QAccessible::AlertMessage);
    EXPECT_FALSE(confusion->state().invisible);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form1().Label9)->text(QAccessible::Name),
              "Zaměněno s: Jersey");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form1().Image2)->text(QAccessible::Name),
              "Fotografie: Jersey");
    EXPECT_EQ(breedIn(form1().Image2), 16);
    EXPECT_EQ(round().errorCount, 1);

    // Text that names no breed shows no comparison.
    press(Qt::Key_Return); // NEXT
    EXPECT_FALSE(form1().GroupBox4->isVisible());
    EXPECT_EQ(confusion->childCount(), 0);
    click(form1().Edit1);
    type("jersey");
    press(Qt::Key_Return);
    EXPECT_TRUE(form1().GroupBox3->isVisible());
    EXPECT_FALSE(form1().GroupBox4->isVisible());
}

} // namespace
} // namespace tarvelo::testing
