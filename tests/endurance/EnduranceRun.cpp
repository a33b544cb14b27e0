// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Plays many rounds through the real windows and watches two things that
// only show over time: every round still starts with picture 0 and shows all
// 19 photographs once, and the resident memory stays where it was after the
// first round.
//
// Usage: tarvelo-endurance [rounds] [--photos N] [--no-rss-check]
// --photos N gives each breed N photographs (1 to 10): each question of a
// breed then shows one of them, question 1 always the first of picture 0,
// and over the rounds every breed shows more than one.
// --no-rss-check is for sanitizer builds, whose allocator holds freed memory.

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "Program.h"
#include "ResidentMemory.h"
#include "RoundPlayer.h"
#include "TApplication.h"
#include "TellingSet.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

namespace {

using namespace tarvelo;
using namespace tarvelo::endurance;

constexpr double mib = 1024.0 * 1024.0;
constexpr long long rssBound = 2 * 1024 * 1024;
constexpr int sampleEvery = 100;

struct Options {
    int rounds = 1000;
    int photosPerBreed = 1;
    bool checkRss = true;
};

Options parseOptions(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        bool isNumber = false;
        const int rounds = arguments[i].toInt(&isNumber);
        if (arguments[i] == QLatin1String("--no-rss-check")) {
            options.checkRss = false;
        } else if (arguments[i] == QLatin1String("--photos") && i + 1 < arguments.size()) {
            options.photosPerBreed = arguments[++i].toInt();
            if (options.photosPerBreed < 1 || options.photosPerBreed > maxPhotosPerBreed) {
                throw std::invalid_argument("--photos takes 1 to 10");
            }
        } else if (isNumber && rounds > 0) {
            options.rounds = rounds;
        } else {
            throw std::invalid_argument(
                "usage: tarvelo-endurance [rounds] [--photos N] [--no-rss-check]");
        }
    }
    return options;
}

// Wrong answers spread over the questions and drift from round to round, the
// last question included now and then.
bool answersWrongly(int round, int question) {
    return (round * 5 + question * 3) % 7 == 0;
}

std::string join(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers) {
        text += (text.empty() ? "" : " ") + std::to_string(n);
    }
    return text;
}

void checkRound(const RoundOutcome& outcome, Difficulty difficulty) {
    const auto& pictures = outcome.pictures;
    if (pictures.empty() || pictures.front() != 0) {
        throw std::runtime_error("the round did not start with picture 0: " + join(pictures));
    }
    const std::set<int> distinct(pictures.begin(), pictures.end());
    if (pictures.size() != static_cast<std::size_t>(breedCount) ||
        distinct.size() != pictures.size() || *distinct.rbegin() != breedCount - 1) {
        throw std::runtime_error("the round did not show the 19 pictures once each: " +
                                 join(pictures));
    }
    if (outcome.history != pictures) {
        throw std::runtime_error("the quiz recorded " + join(outcome.history) +
                                 " but the windows showed " + join(pictures));
    }
    const std::string expected = resultText(difficulty, outcome.wrongAnswers, questionsPerRound);
    if (outcome.resultText != expected) {
        throw std::runtime_error("the result page reads \"" + outcome.resultText +
                                 "\", expected \"" + expected + "\"");
    }
}

// Which photograph of its breed each question showed, from their heights.
std::vector<int> photographsShown(const RoundOutcome& outcome, int perBreed) {
    std::vector<int> photos;
    for (std::size_t q = 0; q < outcome.pictures.size(); ++q) {
        const int photo = TellingSet::photoOf(outcome.pictures[q], outcome.heights.at(q));
        if (photo < 0 || photo >= perBreed) {
            throw std::runtime_error("question " + std::to_string(q + 1) +
                                     " shows a photograph the set does not hold");
        }
        photos.push_back(photo);
    }
    if (photos.front() != 0) {
        throw std::runtime_error("question 1 shows photograph " + std::to_string(photos.front()) +
                                 " of picture 0, not the first");
    }
    return photos;
}

// Over many rounds each breed but the first (always question 1) shows more
// than one of its photographs, and no two rounds in a row are alike.
class PhotoVariety {
public:
    void add(const RoundOutcome& outcome, const std::vector<int>& photos) {
        std::vector<std::pair<int, int>> round;
        for (std::size_t q = 0; q < photos.size(); ++q) {
            seen_[outcome.pictures[q]].insert(photos[q]);
            round.emplace_back(outcome.pictures[q], photos[q]);
        }
        if (round == last_) {
            throw std::runtime_error("two rounds in a row showed the same photographs");
        }
        last_ = std::move(round);
    }
    void check() const {
        for (int index = 1; index < breedCount; ++index) {
            if (seen_.at(index).size() < 2) {
                throw std::runtime_error("picture " + std::to_string(index) +
                                         " always showed the same photograph");
            }
        }
    }

private:
    std::map<int, std::set<int>> seen_;
    std::vector<std::pair<int, int>> last_;
};

// An error box would wait for a click that never comes: report it and stop.
void failOnErrorBox() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        std::fprintf(stderr, "endurance: FAIL: an error box opened: %s\n",
                     box->text().toStdString().c_str());
        std::exit(EXIT_FAILURE);
    }
}

int run(TApplication& application, const Options& options) {
    TellingSet photos(options.photosPerBreed);
    QDir::setCurrent(photos.directory());
    PhotoVariety variety;

    Program program(application, [&application](TForm2& form) { application.beginModal(form); });
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &watchdog, failOnErrorBox);
    watchdog.start(500);
    program.start();

    RoundPlayer player(application, program);
    QElapsedTimer clock;
    clock.start();
    long long first = 0;
    long long last = 0;
    long long highest = 0;
    int wrongAnswers = 0;
    for (int round = 1; round <= options.rounds; ++round) {
        const Difficulty difficulty = round % 2 == 1 ? Difficulty::Beginner : Difficulty::Advanced;
        try {
            const RoundOutcome outcome =
                player.play(difficulty, [round](int q) { return answersWrongly(round, q); });
            checkRound(outcome, difficulty);
            variety.add(outcome, photographsShown(outcome, options.photosPerBreed));
            wrongAnswers += outcome.wrongAnswers;
        } catch (const std::exception& error) {
            std::fprintf(stderr, "endurance: FAIL in round %d: %s\n", round, error.what());
            return EXIT_FAILURE;
        }
        if (round == 1 || round % sampleEvery == 0 || round == options.rounds) {
            last = residentBytes();
            first = round == 1 ? last : first;
            highest = std::max(highest, last);
            std::printf("round %5d  RSS %8.2f MiB  %7.1f s\n", round,
                        static_cast<double>(last) / mib,
                        static_cast<double>(clock.elapsed()) / 1000.0);
            std::fflush(stdout);
        }
    }

    std::printf("%d rounds, RSS first/last %.2f/%.2f MiB, highest %.2f MiB, growth %+.2f MiB "
                "(bound %+.2f MiB%s); %d wrong answers; %.1f s\n",
                options.rounds, static_cast<double>(first) / mib, static_cast<double>(last) / mib,
                static_cast<double>(highest) / mib, static_cast<double>(highest - first) / mib,
                static_cast<double>(rssBound) / mib, options.checkRss ? "" : ", not checked",
                wrongAnswers, static_cast<double>(clock.elapsed()) / 1000.0);
    if (options.photosPerBreed > 1) {
        try {
            variety.check();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "endurance: FAIL: %s\n", error.what());
            return EXIT_FAILURE;
        }
    }
    if (options.checkRss && highest - first > rssBound) {
        std::fprintf(stderr, "endurance: FAIL: resident memory grew by %.2f MiB after round 1\n",
                     static_cast<double>(highest - first) / mib);
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // With the look the real program has, so the same painting code runs.
    TApplication application(argc, argv);
    try {
        return run(application, parseOptions(QCoreApplication::arguments()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "endurance: %s\n", error.what());
        return EXIT_FAILURE;
    }
}
