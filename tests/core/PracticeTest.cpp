// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Practice.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "PlainPracticeView.h"
#include "PlainView.h"
#include "PracticeTexts.h"
#include "Quiz.h"
#include "SetPhotographs.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace tarvelo;

namespace {

constexpr LocalDate day0{20'000};

// The breed of a photograph's path, obr/<photo>/<breed>.jpg.
int breedOf(const std::string& path) {
    const auto name = path.find_last_of("/\\") + 1;
    return std::stoi(path.substr(name, path.size() - name - 4));
}

// What a pupil answers to a breed: its right name unless told otherwise.
using Answers = std::map<int, std::string>;

void chooseDifficulty(PlainView& view, Difficulty difficulty) {
    view.RadioButton1.isChecked = difficulty == Difficulty::Beginner;
    view.RadioButton2.isChecked = difficulty == Difficulty::Advanced;
}

void type(PlainView& view, const std::string& text) {
    (view.ComboBox1.shown ? static_cast<ViewItem&>(view.ComboBox1) : view.Edit1).setText(text);
}

// Practice and test on plain records, as the windows bind them.
class PracticeTest : public ::testing::Test {
protected:
    PlainView view;
    PlainPracticeView items;
    std::set<std::string> setFiles = setPhotographs(2);
    LocalDate today = day0;
    std::uint32_t seed = 11;
    std::uint32_t practiceSeed = 5;
    std::vector<LearningMemory> saves;
    std::optional<std::string> saveFailure;
    PhotoLookup lookup = [this](const std::string& path) { return setFiles.count(path) > 0; };
    Quiz quiz{view.bind(), [this] { return seed++; }, lookup};
    Practice practice{view.bind(),
                      items.bind(),
                      quiz,
                      LearningMemory{},
                      [this](const LearningMemory& memory) {
                          saves.push_back(memory);
                          return saveFailure;
                      },
                      [this] { return today; },
                      [this] { return practiceSeed++; },
                      lookup};

    void SetUp() override {
        quiz.prepareFirstQuestion();
        quiz.showConfusionsIn(items.confusion());
    }

    int breedOnDisplay() const { return breedOf(view.Image1.shown.back()); }

    // Answers questions until the practice ends; returns the breeds asked.
    std::vector<int> playPractice(const Answers& wrong) {
        std::vector<int> asked;
        std::map<int, int> missed;
        while (practice.running() && asked.size() < 200) {
            const int breed = breedOnDisplay();
            asked.push_back(breed);
            const auto it = wrong.find(breed);
            const bool miss = it != wrong.end() && missed[breed]++ == 0;
            type(view, miss ? it->second : std::string(answerName(breed)));
            practice.pressAnswerButton();
            if (miss) {
                practice.pressAnswerButton(); // "NEXT"
            }
        }
        return asked;
    }
};

// A practice in the quiz window, answer by answer: what the pupil sees after
// a wrong answer naming another breed, naming none, and at the end.
TEST_F(PracticeTest, PlaysInTheQuizWindowAndShowsConfusions) {
    struct Case {
        Difficulty difficulty;
        int otherBreed; // named by the wrong answer; -1 for an answer naming none
    };
    using enum Difficulty;
    for (const Case c :
         std::vector<Case>{{Beginner, 16}, {Beginner, -1}, {Advanced, 16}, {Advanced, -1}}) {
        SCOPED_TRACE(testing::Message() << "difficulty " << static_cast<int>(c.difficulty)
                                        << ", other " << c.otherBreed);
        chooseDifficulty(view, c.difficulty);
        saves.clear();
        practice.start();
        practice.applyDifficulty();
        EXPECT_EQ(view.ComboBox1.shown, c.difficulty == Beginner);
        EXPECT_EQ(view.Edit1.shown, c.difficulty == Advanced);
        EXPECT_EQ(view.Label6.value, "1. ");
        EXPECT_EQ(items.Progress.value, "Umím 0 z 19");
        EXPECT_TRUE(items.Progress.shown);

        // The first breed is answered right, the second wrong.
        type(view, std::string(answerName(breedOnDisplay())));
        practice.pressAnswerButton();
        EXPECT_EQ(items.Progress.value, "Umím 1 z 19");
        const int missed = breedOnDisplay();
        const int other = c.otherBreed == missed ? 17 : c.otherBreed;
        type(view, other < 0 ? "nic" : std::string(answerName(other)));
        practice.pressAnswerButton();
        EXPECT_EQ(view.BitBtn1.value, "NEXT");
        EXPECT_TRUE(view.GroupBox3.shown);
        EXPECT_EQ(view.Label3.value, answerName(missed));
        EXPECT_EQ(view.Label7.value, " Chyb: 1/2 ");
        EXPECT_FALSE(view.ComboBox1.usable || view.Edit1.usable);
        EXPECT_EQ(items.ConfusedName.shown, other >= 0);
        EXPECT_EQ(items.ConfusedFrame.shown, other >= 0);
        if (other >= 0) {
            EXPECT_EQ(items.ConfusedName.value, answerName(other));
            EXPECT_EQ(items.ConfusedImage.shown.back(), photoPath(other, 0));
        }
        practice.pressAnswerButton();
        EXPECT_EQ(view.BitBtn1.value, "OK");
        EXPECT_FALSE(view.GroupBox3.shown || items.ConfusedName.shown || items.ConfusedFrame.shown);
        EXPECT_TRUE(view.ComboBox1.usable && view.Edit1.usable);
        EXPECT_EQ(view.Edit1.value, "");
        EXPECT_EQ(view.Label6.value, "3. ");

        const std::vector<int> asked = playPractice({});
        EXPECT_FALSE(practice.running());
        EXPECT_EQ(saves.size(), asked.size() + 2) << "a save after every answer";
        EXPECT_EQ(saves.back(), practice.memory());
        EXPECT_EQ(view.Label1.value,
                  practiceEndText(static_cast<std::int32_t>(asked.size() + 2), 19));
        EXPECT_TRUE(view.Form2.shown && view.GroupBox2.shown);
        EXPECT_FALSE(view.GroupBox1.shown || view.Form1.shown || items.Progress.shown);
        // The test is ready again, as after a round.
        EXPECT_EQ(view.Label6.value, "1. ");
        EXPECT_EQ(view.BitBtn1.value, "OK");
        today = today.plusDays(1); // each case on a day of its own, all due again
    }
}

// Day after day: the start window says how many breeds are due, before and
// after a practice; practice starts with them; a pupil who knows 15 breeds
// and misses 4 once finishes within 19 + 4 x 3 questions, each missed breed
// back within five.
TEST_F(PracticeTest, EachDayStartsWithTheBreedsDueAndEndsWithinItsBound) {
    struct Day {
        int day;
        Answers wrong;
        std::string dueText;
        std::set<int> dueFirst;
    };
    // 7 taken for 2: a pair among the breeds due later, which keeps them first.
    const Answers fourMisses{
        {2, "nic"}, {7, std::string(answerName(2))}, {11, ""}, {16, "Jersey "}};
    const std::set<int> missed{2, 7, 11, 16};
    const std::vector<Day> days{
        {0, fourMisses, "Dnes není nic k opakování.", {}},
        {1, fourMisses, "K opakování dnes: 19 plemen", {}},
        {2, {}, "K opakování dnes: 4 plemena", missed},
        {3, {}, "K opakování dnes: 15 plemen", {}},
        {4, {}, "K opakování dnes: 4 plemena", missed},
        {5, {}, "Dnes není nic k opakování.", {}},
    };
    for (const Day& d : days) {
        SCOPED_TRACE(testing::Message() << "day " << d.day);
        today = day0.plusDays(d.day);
        practice.showDueCount();
        EXPECT_EQ(items.DueCount.value, d.dueText);
        practice.start();
        const std::vector<int> asked = playPractice(d.wrong);
        EXPECT_EQ(items.DueCount.value, "Dnes není nic k opakování.") << "after the practice";
        EXPECT_EQ(std::set<int>(asked.begin(), asked.begin() + std::ssize(d.dueFirst)), d.dueFirst);
        EXPECT_LE(asked.size(), 19 + 3 * d.wrong.size());
        for (const auto& [breed, text] : d.wrong) {
            const auto miss = std::find(asked.begin(), asked.end(), breed);
            ASSERT_NE(miss, asked.end());
            EXPECT_LE(std::find(miss + 1, asked.end(), breed) - miss, 5) << "breed " << breed;
        }
    }
}

TEST_F(PracticeTest, AFailedSaveIsToldOnceAndPracticeGoesOn) {
    saveFailure = "na disku není místo.";
    practice.start();
    const std::vector<int> asked = playPractice({{5, "nic"}});
    EXPECT_TRUE(items.Notice.shown);
    EXPECT_EQ(items.Notice.value, "Postup procvičování se nepodařilo uložit: na disku není místo.");
    EXPECT_EQ(saves.size(), asked.size());
    items.Notice.shown = false;
    saveFailure.reset();
    practice.start();
    playPractice({});
    EXPECT_FALSE(items.Notice.shown);
}

// The test with the confusion view: exactly what it showed before, plus the
// other breed in the correction panel; and the breeds it missed, for a
// practice of just those.
TEST_F(PracticeTest, TheTestShowsConfusionsAndRemembersItsMisses) {
    PlainView plainView;
    std::uint32_t plainSeed = 11; // the seeds the test's quiz had from the start
    Quiz plain{plainView.bind(), [&] { return plainSeed++; }, lookup};
    plain.prepareFirstQuestion();
    items.ConfusedImage.failWhen = [](const std::string& path) { return breedOf(path) == 18; };

    for (const Difficulty difficulty : {Difficulty::Beginner, Difficulty::Advanced}) {
        chooseDifficulty(view, difficulty);
        chooseDifficulty(plainView, difficulty);
        quiz.applyDifficulty();
        plain.applyDifficulty();
        std::vector<int> missed;
        for (int question = 1; question <= 19; ++question) {
            // Every other answer wrong: naming another breed, then naming none.
            const bool wrong = question % 2 == 1;
            const bool named = question % 4 == 1;
            const int breed = quiz.round().currentPicture;
            // The breed named instead: 18, whose photograph fails, every other time.
            const int other = (question % 8 == 1 && breed != 18) ? 18 : (breed + 1) % breedCount;
            const std::string text = !wrong  ? std::string(answerName(breed))
                                     : named ? std::string(answerName(other))
                                             : "hereford";
            type(view, text);
            type(plainView, text);
            quiz.pressAnswerButton();
            plain.pressAnswerButton();
            if (wrong) {
                missed.push_back(breed);
                EXPECT_EQ(items.ConfusedName.shown, named) << question;
                EXPECT_EQ(items.ConfusedFrame.shown, named && other != 18) << question;
                if (named) {
                    EXPECT_EQ(items.ConfusedName.value, answerName(other));
                    EXPECT_EQ(items.ConfusedImage.requested.back(), photoPath(other, 0));
                }
                quiz.pressAnswerButton();
                plain.pressAnswerButton();
            }
            // Every item of the test as the test without the view has it.
            const auto testItems = [](const PlainView& v) {
                return std::tie(v.Label3.value, v.Label7.value, v.Label6.value, v.Label1.value,
                                v.BitBtn1.value, v.GroupBox3.shown, v.Image1.shown);
            };
            ASSERT_EQ(testItems(view), testItems(plainView));
        }
        EXPECT_FALSE(items.ConfusedName.shown || items.ConfusedFrame.shown);
        EXPECT_EQ(quiz.lastRoundMissed(), missed);
        EXPECT_TRUE(plain.lastRoundMissed() == missed);

        practice.start(quiz.lastRoundMissed());
        EXPECT_EQ(items.Progress.value, progressText(0, static_cast<std::int32_t>(missed.size())));
        playPractice({});
        EXPECT_EQ(quiz.round().questionNumber, 1);
        EXPECT_EQ(view.Image1.shown.back(), photoPath(0, 0));
        // The next round compared afresh: the practice's own pictures and text aside.
        view.Image1.shown.clear();
        plainView.Image1.shown.clear();
        plainView.Label1.value = view.Label1.value;
    }
}

} // namespace
