// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "PlainView.h"
#include "Quiz.h"
#include "SetPhotographs.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace tarvelo;

namespace {

// A quiz on plain records, played the way the windows would play it.
class QuizRoundTest : public ::testing::Test {
protected:
    PlainView view;
    int seedCalls = 0;
    // The files of the set the quiz plays, by relative path; one photograph
    // of each breed unless a test gives more.
    std::set<std::string> setFiles = setPhotographs(1);
    std::vector<std::string> lookups;
    Quiz quiz{view.bind(), [this] { return static_cast<std::uint32_t>(1000 + 7919 * seedCalls++); },
              [this](const std::string& path) {
                  lookups.push_back(path);
                  return setFiles.count(path) > 0;
              }};

    const QuizRound& round() const { return quiz.round(); }
    std::string expectedAnswer() const { return std::string(answerName(round().currentPicture)); }

    // The start window's "OK": the quiz window shows and takes the difficulty.
    void startRound(Difficulty difficulty) {
        view.RadioButton1.isChecked = difficulty == Difficulty::Beginner;
        view.RadioButton2.isChecked = difficulty == Difficulty::Advanced;
        view.GroupBox1.shown = true;
        view.GroupBox2.shown = false;
        view.Form1.shown = true;
        quiz.applyDifficulty();
    }

    void answer(const std::string& text) {
        if (round().difficulty == Difficulty::Beginner) {
            view.ComboBox1.setText(text);
        } else {
            view.Edit1.setText(text);
        }
        quiz.pressAnswerButton();
    }
    void answerRight() { answer(expectedAnswer()); }
    void answerWrong() { answer(round().currentPicture == 6 ? "Galloway" : "Aberdeen Angus"); }

    // Pictures shown in this round, in order, from the load requests.
    std::vector<std::string> lastRoundPaths(std::size_t count) const {
        const auto& all = view.Image1.requested;
        return {all.end() - static_cast<std::ptrdiff_t>(count), all.end()};
    }

    void expectFreshQuestionOne() const {
        EXPECT_EQ(round().questionNumber, 1);
        EXPECT_EQ(round().errorCount, 0);
        EXPECT_EQ(round().currentPicture, 0);
        EXPECT_TRUE(std::all_of(round().askedHistory.begin(), round().askedHistory.end(),
                                [](int slot) { return slot == 0; }));
        EXPECT_EQ(view.Label6.value, "1. ");
        EXPECT_EQ(view.BitBtn1.value, "OK");
        EXPECT_FALSE(view.GroupBox3.shown);
        EXPECT_EQ(view.Edit1.value, "");
        EXPECT_EQ(view.ComboBox1.text(), "");
        EXPECT_TRUE(view.Edit1.usable);
        EXPECT_TRUE(view.ComboBox1.usable);
        EXPECT_EQ(view.Image1.requested.back(), picturePath(0));
    }

    void expectResultPage(const std::string& text) const {
        EXPECT_EQ(view.Label1.value, text);
        EXPECT_TRUE(view.Form2.shown);
        EXPECT_FALSE(view.Form1.shown);
        EXPECT_FALSE(view.GroupBox1.shown);
        EXPECT_TRUE(view.GroupBox2.shown);
        EXPECT_EQ(view.Form2.value, "Start page");
        EXPECT_EQ(view.Form2.outerWidth, 392);
        EXPECT_EQ(view.Form2.outerHeight, 183);
        EXPECT_GE(view.Form2.timesBroughtForward, 1);
    }
};

TEST_F(QuizRoundTest, FirstQuestionIsPreparedBeforeAnythingShows) {
    quiz.prepareFirstQuestion();
    EXPECT_EQ(view.ComboBox1.entries, choiceList());
    EXPECT_EQ(view.Image1.requested, std::vector<std::string>{picturePath(0)});
    EXPECT_EQ(seedCalls, 1);
    expectFreshQuestionOne();
    EXPECT_FALSE(view.ComboBox1.shown);
    EXPECT_FALSE(view.Edit1.shown);
}

TEST_F(QuizRoundTest, DifficultyChoosesTheInputAndChangesNothingElse) {
    quiz.prepareFirstQuestion();
    view.Form2.shown = true;
    startRound(Difficulty::Advanced);
    EXPECT_FALSE(view.Form2.shown);
    EXPECT_TRUE(view.Edit1.shown);
    EXPECT_FALSE(view.ComboBox1.shown);
    EXPECT_EQ(round().difficulty, Difficulty::Advanced);

    startRound(Difficulty::Beginner);
    EXPECT_TRUE(view.ComboBox1.shown);
    EXPECT_FALSE(view.Edit1.shown);
    EXPECT_EQ(round().difficulty, Difficulty::Beginner);
    expectFreshQuestionOne();
}

TEST_F(QuizRoundTest, PerfectRoundsShowEveryPictureOnceStartingWithCharolais) {
    quiz.prepareFirstQuestion();
    for (const auto difficulty :
         {Difficulty::Beginner, Difficulty::Advanced, Difficulty::Beginner}) {
        startRound(difficulty);
        std::vector<int> pictures{round().currentPicture};
        for (int question = 1; question < 19; ++question) {
            answerRight();
            EXPECT_EQ(round().questionNumber, question + 1);
            EXPECT_EQ(view.Label6.value, std::to_string(question + 1) + ". ");
            EXPECT_EQ(view.BitBtn1.value, "OK");
            EXPECT_FALSE(view.GroupBox3.shown);
            pictures.push_back(round().currentPicture);
        }
        // Slot k holds the picture of question k + 1; nothing beyond slot 18 is written.
        EXPECT_TRUE(std::equal(pictures.begin(), pictures.end(), round().askedHistory.begin()));
        EXPECT_TRUE(std::all_of(round().askedHistory.begin() + 19, round().askedHistory.end(),
                                [](int slot) { return slot == 0; }));

        EXPECT_EQ(pictures.front(), 0);
        EXPECT_EQ(std::set<int>(pictures.begin(), pictures.end()).size(), 19u);
        std::vector<std::string> paths;
        for (int picture : pictures) {
            paths.push_back(picturePath(picture));
        }
        EXPECT_EQ(lastRoundPaths(19), paths);

        answerRight();
        expectResultPage(difficulty == Difficulty::Beginner ? "Začátečník: Skore: 0 / 19"
                                                            : "Pokročilý: Skore: 0 / 19");
        expectFreshQuestionOne();
    }
}

TEST_F(QuizRoundTest, WrongAnswerShowsCorrectionUntilNextPress) {
    quiz.prepareFirstQuestion();
    startRound(Difficulty::Advanced);
    for (int question = 1; question < 7; ++question) {
        answerRight();
    }
    const std::string correct = expectedAnswer();
    answer("nic");
    EXPECT_EQ(round().questionNumber, 7);
    EXPECT_EQ(round().errorCount, 1);
    EXPECT_TRUE(view.GroupBox3.shown);
    EXPECT_EQ(view.Label3.value, correct);
    EXPECT_EQ(view.Label7.value, " Chyb: 1/7 ");
    EXPECT_EQ(view.BitBtn1.value, "NEXT");
    EXPECT_FALSE(view.Edit1.usable);
    EXPECT_FALSE(view.ComboBox1.usable);

    // Whatever stands in the field, the next press goes on.
    quiz.pressAnswerButton();
    EXPECT_EQ(round().questionNumber, 8);
    EXPECT_EQ(view.Label6.value, "8. ");
    EXPECT_EQ(view.BitBtn1.value, "OK");
    EXPECT_FALSE(view.GroupBox3.shown);
    EXPECT_EQ(view.Edit1.value, "");
    EXPECT_TRUE(view.Edit1.usable);
    EXPECT_TRUE(view.ComboBox1.usable);
    EXPECT_EQ(round().errorCount, 1);
}

TEST(QuizExactAnswers, CaseSpacesAndAccentsAllCount) {
    for (const char* wrong : {"charolais", "Charolais ", " Charolais", "CHAROLAIS"}) {
        PlainView view;
        Quiz quiz(view.bind(), [] { return 42u; });
        quiz.prepareFirstQuestion();
        view.Edit1.setText(wrong);
        quiz.pressAnswerButton();
        EXPECT_EQ(view.BitBtn1.value, "NEXT") << wrong;
        EXPECT_EQ(quiz.round().errorCount, 1) << wrong;
    }

    // Play on until the Simmental comes up, then type it without accents.
    PlainView view;
    Quiz quiz(view.bind(), [] { return 7u; });
    quiz.prepareFirstQuestion();
    while (quiz.round().currentPicture != 3) {
        ASSERT_LT(quiz.round().questionNumber, 19);
        view.Edit1.setText(std::string(answerName(quiz.round().currentPicture)));
        quiz.pressAnswerButton();
    }
    view.Edit1.setText("Masny simental");
    quiz.pressAnswerButton();
    EXPECT_EQ(quiz.round().errorCount, 1);
    EXPECT_EQ(view.Label3.value, "Masný simentál");
}

TEST_F(QuizRoundTest, NothingSelectedIsWrongAndEnterAtOnceCountsQuestionOne) {
    quiz.prepareFirstQuestion();
    startRound(Difficulty::Beginner);
    quiz.pressAnswerButton();
    EXPECT_EQ(round().errorCount, 1);
    EXPECT_EQ(view.Label7.value, " Chyb: 1/1 ");
    EXPECT_EQ(view.Label3.value, "Charolais");
    EXPECT_EQ(view.BitBtn1.value, "NEXT");
}

TEST_F(QuizRoundTest, WrongLastAnswerIsCountedWhenTheResultShows) {
    quiz.prepareFirstQuestion();
    startRound(Difficulty::Beginner);
    answerWrong();
    quiz.pressAnswerButton();
    for (int question = 2; question < 19; ++question) {
        if (question == 10) {
            answerWrong();
            quiz.pressAnswerButton();
        } else {
            answerRight();
        }
    }
    ASSERT_EQ(round().questionNumber, 19);
    const std::string correct = expectedAnswer();
    answerWrong();
    EXPECT_EQ(view.Label7.value, " Chyb: 3/19 ");
    EXPECT_EQ(view.Label3.value, correct);
    EXPECT_EQ(view.BitBtn1.value, "Start page");
    EXPECT_EQ(round().errorCount, 2);
    EXPECT_FALSE(view.Edit1.usable);
    EXPECT_FALSE(view.ComboBox1.usable);
    EXPECT_FALSE(view.Form2.shown);

    quiz.pressAnswerButton();
    expectResultPage("Začátečník: Skore: 3 / 19");
    expectFreshQuestionOne();
}

TEST_F(QuizRoundTest, RightLastAnswerAfterTwoErrors) {
    quiz.prepareFirstQuestion();
    startRound(Difficulty::Advanced);
    for (int question = 1; question < 19; ++question) {
        if (question == 4 || question == 18) {
            answerWrong();
            quiz.pressAnswerButton();
        } else {
            answerRight();
        }
    }
    answerRight();
    expectResultPage("Pokročilý: Skore: 2 / 19");
    expectFreshQuestionOne();

    // "Znovu", then the other level: only the shown input changes.
    startRound(Difficulty::Beginner);
    EXPECT_TRUE(view.ComboBox1.shown);
    EXPECT_FALSE(view.Edit1.shown);
    for (int question = 1; question <= 19; ++question) {
        answerRight();
    }
    expectResultPage("Začátečník: Skore: 0 / 19");
}

TEST_F(QuizRoundTest, TheGeneratorIsReseededBeforeEveryChoice) {
    quiz.prepareFirstQuestion();
    startRound(Difficulty::Beginner);
    for (int question = 1; question <= 19; ++question) {
        answerRight();
    }
    // Once for the first question, once before each of the 18 choices.
    EXPECT_EQ(seedCalls, 19);
}

// A load that fails ends the operation at that step; earlier steps stay done.
TEST_F(QuizRoundTest, FailedFirstLoadLeavesQuestionZeroAndPlayStillEnds) {
    view.Image1.failWhen = [](const std::string& path) { return path == picturePath(0); };
    EXPECT_THROW(quiz.prepareFirstQuestion(), std::runtime_error);
    EXPECT_EQ(view.ComboBox1.entries.size(), 19u);
    EXPECT_EQ(round().questionNumber, 0);
    EXPECT_EQ(view.Label6.value, "");

    // Picture 0 stays excluded by the empty slot, so only 18 pictures are left
    // to draw; the round ends after them instead of drawing for ever.
    view.Image1.failWhen = [](const std::string&) { return false; };
    startRound(Difficulty::Advanced);
    answer("Charolais");
    std::set<int> shown;
    while (view.BitBtn1.value == "OK" && !view.Form2.shown) {
        shown.insert(round().currentPicture);
        answerRight();
        ASSERT_LE(shown.size(), 19u);
    }
    EXPECT_EQ(shown.size(), 18u);
    EXPECT_EQ(shown.count(0), 0u);
    EXPECT_TRUE(view.Form2.shown);
    EXPECT_EQ(view.Label1.value, "Pokročilý: Skore: 0 / 18");
}

TEST_F(QuizRoundTest, FailedLoadOfANextPictureKeepsTheQuestionAdvanced) {
    quiz.prepareFirstQuestion();
    startRound(Difficulty::Beginner);
    view.Image1.failWhen = [](const std::string&) { return true; };
    EXPECT_THROW(answerRight(), std::runtime_error);
    EXPECT_EQ(round().questionNumber, 2);
    EXPECT_EQ(view.Label6.value, "2. ");
    EXPECT_EQ(round().askedHistory[0], 0);
    EXPECT_EQ(view.Image1.requested.back(), picturePath(round().currentPicture));
    EXPECT_EQ(view.Image1.shown.size(), 1u);

    // The quiz stays usable: the round can be finished.
    view.Image1.failWhen = [](const std::string&) { return false; };
    for (int question = 2; question <= 19; ++question) {
        answerRight();
    }
    expectResultPage("Začátečník: Skore: 0 / 19");
}

TEST_F(QuizRoundTest, FailedLoadWhilePreparingTheNextRoundAndPlayAfterIt) {
    quiz.prepareFirstQuestion();
    startRound(Difficulty::Beginner);
    for (int question = 1; question < 19; ++question) {
        answerRight();
    }
    answerWrong();
    ASSERT_EQ(view.BitBtn1.value, "Start page");

    view.Image1.failWhen = [](const std::string& path) { return path == picturePath(0); };
    EXPECT_THROW(quiz.pressAnswerButton(), std::runtime_error);
    expectResultPage("Začátečník: Skore: 1 / 19");
    EXPECT_EQ(view.BitBtn1.value, "OK");
    EXPECT_EQ(round().questionNumber, 0);
    EXPECT_EQ(round().errorCount, 0);
    // The steps after the load did not run.
    EXPECT_EQ(view.Label6.value, "19. ");
    EXPECT_TRUE(view.GroupBox3.shown);
    EXPECT_FALSE(view.ComboBox1.usable);
    EXPECT_FALSE(view.Edit1.usable);

    // Play goes on from there and the round still comes to an end.
    view.Image1.failWhen = [](const std::string&) { return false; };
    view.Form2.shown = false;
    startRound(Difficulty::Advanced);
    quiz.pressAnswerButton(); // the stale list choice is wrong for Charolais
    EXPECT_EQ(view.Label7.value, " Chyb: 1/0 ");
    quiz.pressAnswerButton();
    int presses = 0;
    while (!view.Form2.shown && presses++ < 40) {
        answerRight();
    }
    EXPECT_TRUE(view.Form2.shown);
    EXPECT_EQ(view.Label1.value, "Pokročilý: Skore: 1 / 18");
    expectFreshQuestionOne();
}

// Several photographs of a breed: the quiz shows one of them, drawn apart
// from the breed, and reads nothing but the one it shows.
class SeveralPhotographsTest : public QuizRoundTest {
protected:
    // After the first question is prepared, plays `rounds` perfect rounds; the paths of the
    // photographs shown, round by round.
    std::vector<std::vector<std::string>> playRounds(int rounds) {
        std::vector<std::vector<std::string>> shown;
        for (int r = 0; r < rounds; ++r) {
            startRound(Difficulty::Advanced);
            for (int question = 1; question <= 19; ++question) {
                answerRight();
            }
            // The 19 questions of the round, then question 1 of the next.
            shown.push_back(lastRoundPaths(20));
            shown.back().pop_back();
        }
        return shown;
    }
    // The breed (file name) of each path in a round.
    static std::vector<std::string> breeds(const std::vector<std::string>& paths) {
        std::vector<std::string> names;
        for (const auto& path : paths) {
            names.push_back(path.substr(path.find_last_of("/\\") + 1));
        }
        return names;
    }
};

TEST_F(SeveralPhotographsTest, EachPhotographOfABreedComesUpAndQuestionOneIsAlwaysTheFirst) {
    setFiles = setPhotographs(2);
    quiz.prepareFirstQuestion();
    const auto rounds = playRounds(40);
    std::map<std::string, int> timesShown;
    for (const auto& round : rounds) {
        EXPECT_EQ(round.front(), photoPath(0, 0));
        EXPECT_EQ(std::set<std::string>(round.begin(), round.end()).size(), 19u);
        for (const auto& path : round) {
            timesShown[path]++;
        }
    }
    EXPECT_EQ(rounds[0].size(), 19u);
    EXPECT_NE(rounds[0], rounds[1]);
    // 40 rounds give each breed 40 questions; either photograph comes up
    // often, and nothing outside the set is ever asked for.
    for (int index = 1; index < breedCount; ++index) {
        const int first = timesShown[photoPath(index, 0)];
        const int second = timesShown[photoPath(index, 1)];
        EXPECT_EQ(first + second, 40) << index;
        EXPECT_GE(first, 8) << index;
        EXPECT_GE(second, 8) << index;
    }
    EXPECT_EQ(timesShown.size(), 2u * breedCount - 1);
}

TEST_F(SeveralPhotographsTest, BreedsComeInTheOrderOfAOnePhotographSet) {
    quiz.prepareFirstQuestion();
    const auto onePhotograph = breeds(playRounds(5).back());

    PlainView otherView;
    int otherSeeds = 0;
    const std::set<std::string> tenPhotographs = setPhotographs(maxPhotosPerBreed);
    Quiz other{otherView.bind(),
               [&] { return static_cast<std::uint32_t>(1000 + 7919 * otherSeeds++); },
               [&](const std::string& path) { return tenPhotographs.count(path) > 0; }};
    other.prepareFirstQuestion();
    std::vector<std::string> tenShown;
    for (int r = 0; r < 5; ++r) {
        otherView.RadioButton2.isChecked = true;
        other.applyDifficulty();
        for (int question = 1; question <= 19; ++question) {
            otherView.Edit1.setText(std::string(answerName(other.round().currentPicture)));
            other.pressAnswerButton();
        }
    }
    const auto& all = otherView.Image1.requested;
    tenShown.assign(all.end() - 20, all.end() - 1);
    EXPECT_EQ(breeds(tenShown), onePhotograph);
    EXPECT_EQ(otherSeeds, seedCalls);
}

TEST_F(SeveralPhotographsTest, GapsAreToleratedAndOnlyTheChosenOneIsLoaded) {
    // Breed 5 has obr/0 and obr/3; breed 7 has only obr/2; breed 9 has none.
    setFiles = setPhotographs(1);
    setFiles.insert(photoPath(5, 3));
    setFiles.erase(photoPath(7, 0));
    setFiles.insert(photoPath(7, 2));
    setFiles.erase(photoPath(9, 0));

    quiz.prepareFirstQuestion();
    // Nothing is looked up before the player has seen the start window.
    EXPECT_TRUE(lookups.empty());
    std::set<std::string> shown;
    for (const auto& round : playRounds(30)) {
        shown.insert(round.begin(), round.end());
    }
    EXPECT_TRUE(shown.count(photoPath(5, 0)) && shown.count(photoPath(5, 3)));
    EXPECT_TRUE(shown.count(photoPath(7, 2)));
    EXPECT_FALSE(shown.count(photoPath(7, 0)));
    // With no photograph at all, the quiz asks for obr/0 and fails on it as it always did.
    EXPECT_TRUE(shown.count(photoPath(9, 0)));
    EXPECT_EQ(shown.size(), 20u);
    // Every load request is one photograph; others are only looked up.
    EXPECT_EQ(view.Image1.requested.size(), 1u + 30u * 19u);
}

} // namespace
