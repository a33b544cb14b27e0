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

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <string>
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

    void chooseDifficulty(Difficulty difficulty) {
        view.RadioButton1.isChecked = difficulty == Difficulty::Beginner;
        view.RadioButton2.isChecked = difficulty == Difficulty::Advanced;
    }

    int breedOnDisplay() const { return breedOf(view.Image1.shown.back()); }

    void type(const std::string& text) {
        if (view.ComboBox1.shown) {
            view.ComboBox1.setText(text);
        } else {
            view.Edit1.setText(text);
        }
    }

    // Answers questions until the practice ends; returns the breeds asked.
    std::vector<int> playPractice(const Answers& wrong) {
        std::vector<int> asked;
        std::map<int, int> missed;
        while (practice.running() && asked.size() < 200) {
            const int breed = breedOnDisplay();
            asked.push_back(breed);
            const auto it = wrong.find(breed);
            const bool miss = it != wrong.end() && missed[breed]++ == 0;
            type(miss ? it->second : std::string(answerName(breed)));
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
    for (const Case c : std::vector<Case>{{Difficulty::Beginner, 16},
                                          {Difficulty::Beginner, -1},
                                          {Difficulty::Advanced, 16},
                                          {Difficulty::Advanced, -1}}) {
        SCOPED_TRACE(testing::Message() << "difficulty " << static_cast<int>(c.difficulty)
                                        << ", other " << c.otherBreed);
        chooseDifficulty(c.difficulty);
        saves.clear();
        practice.start();
        practice.applyDifficulty();
        EXPECT_EQ(view.ComboBox1.shown, c.difficulty == Difficulty::Beginner);
        EXPECT_EQ(view.Edit1.shown, c.difficulty == Difficulty::Advanced);
        EXPECT_EQ(view.Label6.value, "1. ");
        EXPECT_EQ(items.Progress.value, "Umím 0 z 19");
        EXPECT_TRUE(items.Progress.shown);

        // The first breed is answered right, the second wrong.
        type(std::string(answerName(breedOnDisplay())));
        practice.pressAnswerButton();
        EXPECT_EQ(items.Progress.value, "Umím 1 z 19");
        const int missed = breedOnDisplay();
        const int other = c.otherBreed == missed ? 17 : c.otherBreed;
        type(other < 0 ? "nic" : std::string(answerName(other)));
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
        const auto questions = static_cast<std::int32_t>(asked.size() + 2);
        EXPECT_FALSE(practice.running());
        EXPECT_EQ(saves.size(), asked.size() + 2) << "a save after every answer";
        EXPECT_EQ(saves.back(), practice.memory());
        EXPECT_EQ(view.Label1.value, practiceEndText(questions, 19));
        EXPECT_TRUE(view.Form2.shown && view.GroupBox2.shown);
        EXPECT_FALSE(view.GroupBox1.shown || view.Form1.shown || items.Progress.shown);
        // The test is ready again, as after a round.
        EXPECT_EQ(view.Label6.value, "1. ");
        EXPECT_EQ(view.Image1.shown.back(), photoPath(0, 0));
        EXPECT_EQ(view.BitBtn1.value, "OK");
        EXPECT_EQ(quiz.round().questionNumber, 1);
        today = today.plusDays(1); // each case on a day of its own, all due again
    }
}

TEST_F(PracticeTest, DoneMeansFifteenKnownAndFourMissedOnceFinishWithin31) {
    const Answers wrong{{2, "nic"}, {7, std::string(answerName(8))}, {11, ""}, {16, "Jersey "}};
    for (int run = 0; run < 30; ++run) {
        practice.start();
        const std::vector<int> asked = playPractice(wrong);
        EXPECT_LE(asked.size(), 19u + 4u * 3u);
        for (const auto& [breed, text] : wrong) {
            const auto miss = std::find(asked.begin(), asked.end(), breed);
            const auto back = std::find(miss + 1, asked.end(), breed);
            ASSERT_NE(back, asked.end());
            EXPECT_LE(back - miss, 5) << "breed " << breed;
        }
    }
}

// Tomorrow and the day after: practice starts with the breeds due, and the
// start window says how many.
TEST_F(PracticeTest, LaterDaysStartWithTheBreedsDue) {
    practice.showDueCount();
    EXPECT_EQ(items.DueCount.value, "Dnes není nic k opakování.");
    practice.start();
    playPractice({{3, "nic"}, {9, "nic"}});
    EXPECT_EQ(items.DueCount.value, "Dnes není nic k opakování.");

    struct Day {
        int day;
        Answers wrong;
        std::string dueText;
        std::set<int> dueFirst;
    };
    const std::vector<Day> days{
        {1, {{3, "nic"}, {12, "nic"}}, "K opakování dnes: 19 plemen", {}},
        {2, {}, "K opakování dnes: 2 plemena", {3, 12}},
        {3, {}, "K opakování dnes: 17 plemen", {}},
        {4, {}, "K opakování dnes: 2 plemena", {3, 12}},
        {5, {}, "Dnes není nic k opakování.", {}},
    };
    for (const Day& d : days) {
        SCOPED_TRACE(testing::Message() << "day " << d.day);
        today = day0.plusDays(d.day);
        practice.showDueCount();
        EXPECT_EQ(items.DueCount.value, d.dueText);
        practice.start();
        const std::vector<int> asked = playPractice(d.wrong);
        const std::set<int> first(asked.begin(),
                                  asked.begin() + static_cast<std::ptrdiff_t>(d.dueFirst.size()));
        EXPECT_EQ(first, d.dueFirst);
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

    // What the pupil answers, question by question, round and round.
    enum class Kind { Right, OtherBreed, NoBreed };
    const std::vector<Kind> pattern{Kind::Right, Kind::OtherBreed, Kind::Right, Kind::NoBreed};
    for (const Difficulty difficulty : {Difficulty::Beginner, Difficulty::Advanced}) {
        chooseDifficulty(difficulty);
        plainView.RadioButton1.isChecked = view.RadioButton1.isChecked;
        plainView.RadioButton2.isChecked = view.RadioButton2.isChecked;
        quiz.applyDifficulty();
        plain.applyDifficulty();
        std::vector<int> missed;
        for (int question = 1; question <= 19; ++question) {
            const Kind kind = pattern[static_cast<std::size_t>(question) % pattern.size()];
            const int breed = quiz.round().currentPicture;
            // The breed named instead: 18, whose photograph fails, every other time.
            const int other = (question % 8 == 1 && breed != 18) ? 18 : (breed + 1) % breedCount;
            const std::string text = kind == Kind::Right        ? std::string(answerName(breed))
                                     : kind == Kind::OtherBreed ? std::string(answerName(other))
                                                                : "hereford";
            if (kind != Kind::Right) {
                missed.push_back(breed);
            }
            type(text);
            (plainView.ComboBox1.shown ? static_cast<ViewItem&>(plainView.ComboBox1)
                                       : plainView.Edit1)
                .setText(text);
            quiz.pressAnswerButton();
            plain.pressAnswerButton();
            if (kind != Kind::Right) {
                const bool named = kind == Kind::OtherBreed;
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
            ASSERT_EQ(view.Label3.value, plainView.Label3.value);
            ASSERT_EQ(view.Label7.value, plainView.Label7.value);
            ASSERT_EQ(view.Label6.value, plainView.Label6.value);
            ASSERT_EQ(view.Label1.value, plainView.Label1.value);
            ASSERT_EQ(view.BitBtn1.value, plainView.BitBtn1.value);
            ASSERT_EQ(view.GroupBox3.shown, plainView.GroupBox3.shown);
            ASSERT_EQ(view.Image1.shown, plainView.Image1.shown);
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
