// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-learning-bench: how many questions a simulated pupil needs to learn
// the 19 breeds by repeated test rounds and by practice, and how long an
// answer in practice takes to its feedback, the save of the memory included.
//
// The simulated pupil, a common model of memory for names: a breed is at
// first unknown, or known with a given stability; what is known fades with
// the questions since, and recalling it when that is hard makes it last
// longer (the spacing effect), while a miss and its correction teach.
//   - Unknown breed: named right by luck or half-knowledge with probability
//     0.25 for a third of the breeds (drawn per pupil), else 1/19. After the
//     answer and its correction it becomes known with probability 0.5, with
//     stability S = 10 questions.
//   - Known breed, t questions after it was last asked: named right with
//     probability p = exp(-t / S) * d. A right answer makes S <- S * (1 +
//     2 (1 - p)) + 2; a wrong one S <- max(10, S / 2).
//   - d is 1, except for four pairs of look-alikes (Holštýnský skot / Red
//     holštýn, Aberdeen Angus / Galloway, Charolais / Blonde d´ Aquitaine,
//     Limousine / Salers), where it is the pair's discrimination, 0.6 at
//     first. A wrong answer to one of a pair names the other with probability
//     0.8, else a random breed. d grows by 0.1 (1 - d) when a wrong answer
//     to one is shown beside the other's photograph (both modes do that), and
//     by 0.3 (1 - d) when the two are asked within three questions of each
//     other (compared side by side).
//
// After each round (19 questions) or each whole practice, a final test asks
// all 19 once without feedback; the count is the questions of learning until
// that final test is all right, averaged over the seeds. After a final test
// with errors, practice goes on with just the breeds it missed.
#include "BackgroundSaver.h"
#include "BreedCatalogue.h"
#include "LearningStore.h"
#include "PlainPracticeView.h"
#include "PlainView.h"
#include "Practice.h"
#include "PracticeRules.h"
#include "Quiz.h"
#include "Timing.h"
#include "Utf8Path.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace tarvelo;

namespace {

constexpr std::array<std::pair<int, int>, 4> lookAlikes{{{14, 15}, {6, 11}, {0, 2}, {9, 1}}};
constexpr int maxQuestions = 3000;

class SimulatedPupil {
public:
    explicit SimulatedPupil(std::uint32_t seed) : random_(seed) {
        for (auto& g : guess_) {
            g = std::bernoulli_distribution(1.0 / 3)(random_) ? 0.25 : 1.0 / breedCount;
        }
        stability_.fill(0);
        discrimination_.fill(0.6);
        lastAsked_.fill(-1000);
    }

    // Answers breed b: the breed named (b when right).
    int answer(int b) {
        if (std::bernoulli_distribution(recall(b, now_))(random_)) {
            return b;
        }
        const int pair = pairOf(b);
        if (pair >= 0 && std::bernoulli_distribution(0.8)(random_)) {
            return partnerOf(b, pair);
        }
        int other = b;
        while (other == b) {
            other = std::uniform_int_distribution<>(0, breedCount - 1)(random_);
        }
        return other;
    }

    // The feedback after an answer to b that named `named`.
    void learn(int b, int named) {
        const double p = recall(b, now_);
        double& s = stability_[slot(b)];
        if (s == 0) {
            if (std::bernoulli_distribution(0.5)(random_)) {
                s = 10;
            }
        } else if (named == b) {
            s = s * (1 + 2 * (1 - p)) + 2;
        } else {
            s = std::max(10.0, s / 2);
        }
        const int pair = pairOf(b);
        if (pair >= 0) {
            double& d = discrimination_[slot(pair)];
            if (named == partnerOf(b, pair)) {
                d += 0.1 * (1 - d);
            }
            if (now_ - lastAsked_[slot(partnerOf(b, pair))] <= 3) {
                d += 0.3 * (1 - d);
            }
        }
        lastAsked_[slot(b)] = now_;
        ++now_;
    }

    // The breeds missed in a test of all 19 without feedback, taken now.
    std::vector<int> finalTestMisses() {
        std::vector<int> missed;
        for (int b = 0; b < breedCount; ++b) {
            if (!std::bernoulli_distribution(recall(b, now_ + b))(random_)) {
                missed.push_back(b);
            }
        }
        return missed;
    }

    int questions() const { return now_; }

private:
    static std::size_t slot(int i) { return static_cast<std::size_t>(i); }
    static int pairOf(int b) {
        for (std::size_t i = 0; i < lookAlikes.size(); ++i) {
            if (lookAlikes[i].first == b || lookAlikes[i].second == b) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    static int partnerOf(int b, int pair) {
        const auto& [one, two] = lookAlikes[slot(pair)];
        return b == one ? two : one;
    }
    double recall(int b, int at) const {
        const double s = stability_[slot(b)];
        if (s == 0) {
            return guess_[slot(b)];
        }
        const int pair = pairOf(b);
        const double d = pair < 0 ? 1.0 : discrimination_[slot(pair)];
        return std::exp(-(at - lastAsked_[slot(b)]) / s) * d;
    }

    std::mt19937 random_;
    std::array<double, breedCount> guess_{};
    std::array<double, breedCount> stability_{};
    std::array<double, lookAlikes.size()> discrimination_{};
    std::array<int, breedCount> lastAsked_{};
    int now_ = 0;
};

// Test rounds, through the quiz itself on plain records.
int learnByRounds(std::uint32_t seed) {
    SimulatedPupil pupil(seed);
    PlainView view;
    std::uint32_t quizSeed = seed * 7919u;
    Quiz quiz(
        view.bind(), [&] { return quizSeed++; }, [](const std::string&) { return false; });
    quiz.prepareFirstQuestion();
    quiz.applyDifficulty();
    while (pupil.questions() < maxQuestions) {
        for (int question = 0; question < questionsPerRound; ++question) {
            const int breed = quiz.round().currentPicture;
            const int named = pupil.answer(breed);
            view.ComboBox1.setText(std::string(answerName(named)));
            quiz.pressAnswerButton();
            if (view.BitBtn1.value != "OK") {
                quiz.pressAnswerButton();
            }
            pupil.learn(breed, named);
        }
        if (pupil.finalTestMisses().empty()) {
            break;
        }
    }
    return pupil.questions();
}

// A practice of all 19, then after each final test with errors a practice of
// just the breeds it missed, as the result page's "Procvičit chyby" offers.
int learnByPractice(std::uint32_t seed) {
    SimulatedPupil pupil(seed);
    LearningMemory memory;
    std::uint32_t practices = 0;
    std::vector<int> breeds; // all 19 at first
    while (pupil.questions() < maxQuestions) {
        PracticeRules rules(breeds, {}, memory, LocalDate{20'000}, seed * 7919u + practices++);
        while (!rules.finished() && pupil.questions() < maxQuestions) {
            const int breed = rules.nextQuestion().breed;
            const int named = pupil.answer(breed);
            const PracticeAnswer result = rules.answer(
                named == breed, named == breed ? std::nullopt : std::optional<int>(named));
            if (result.firstOfBreed) {
                memory.recordReview(breed, named == breed, LocalDate{20'000});
            }
            if (result.confusedWith) {
                memory.recordConfusion(breed, named);
            }
            pupil.learn(breed, named);
        }
        breeds = pupil.finalTestMisses();
        if (breeds.empty()) {
            break;
        }
    }
    return pupil.questions();
}

// Answer to feedback in practice: the press of the answer button, which
// judges, hands the memory to the saver and shows the next question or the
// correction. Beside it, the save itself (the atomic write with its flushes
// to the disk), which the saver does meanwhile.
void timeFeedback(int answers) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() /
                            ("tarvelo-learning-bench-" + std::to_string(std::random_device{}()));
    LearningStore store(utf8FromPath(folder / "learning.txt"), [] { return "bench"; });
    std::vector<double> saveTimes;
    BackgroundSaver saver([&](const LearningMemory& memory) {
        std::optional<std::string> failure;
        saveTimes.push_back(bench::millisecondsOf([&] { failure = store.save(memory); }));
        return failure;
    });
    PlainView view;
    PlainPracticeView items;
    std::uint32_t seed = 1;
    const PhotoLookup lookup = [](const std::string&) { return false; };
    Quiz quiz(
        view.bind(), [&] { return seed++; }, lookup);
    quiz.prepareFirstQuestion();
    Practice practice(
        view.bind(), items.bind(), quiz, store.memory(),
        [&](const LearningMemory& memory) { return saver.save(memory); },
        [] { return LocalDate{20'000}; }, [&] { return seed++; }, lookup);
    std::vector<double> times;
    std::mt19937 random(5);
    while (static_cast<int>(times.size()) < answers) {
        if (!practice.running()) {
            practice.start();
        }
        const std::string& shown = view.Image1.shown.back();
        const int breed = std::stoi(shown.substr(shown.find_last_of("/\\") + 1));
        const bool right = std::bernoulli_distribution(0.7)(random);
        view.ComboBox1.setText(std::string(answerName(right ? breed : (breed + 1) % breedCount)));
        times.push_back(bench::millisecondsOf([&] { practice.pressAnswerButton(); }));
        if (!right) {
            practice.pressAnswerButton();
        }
        // A pupil takes a few seconds to answer; the save has long ended by then.
        saver.flush();
    }
    fs::remove_all(folder);
    std::printf("Practice, answer to feedback, the save handed over: median %.3f ms, worst %.3f ms "
                "over %d answers (goal: under 50 ms)\n",
                bench::median(times), *std::max_element(times.begin(), times.end()), answers);
    std::printf("  the save itself, meanwhile: median %.1f ms, worst %.1f ms\n",
                bench::median(saveTimes), *std::max_element(saveTimes.begin(), saveTimes.end()));
}

} // namespace

int main(int argc, char** argv) {
    const std::uint32_t seeds = argc > 1 ? static_cast<std::uint32_t>(std::atoi(argv[1])) : 1000;
    double rounds = 0;
    double practice = 0;
    for (std::uint32_t seed = 1; seed <= seeds; ++seed) {
        rounds += learnByRounds(seed);
        practice += learnByPractice(seed);
    }
    rounds /= seeds;
    practice /= seeds;
    std::printf("Simulated pupil, questions until a final test is all right (mean of %u seeds):\n"
                "  repeated test rounds %.1f, practice %.1f: %.2f x (goal: at most 0.60 x)\n",
                seeds, rounds, practice, practice / rounds);
    timeFeedback(300);
    return 0;
}
