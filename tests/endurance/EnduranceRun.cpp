// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Plays many rounds through the real windows and watches two things that
// only show over time: every round still starts with picture 0 and shows all
// 19 photographs once, and the resident memory stays where it was after the
// first round.
//
// Usage: tarvelo-endurance [rounds] [--no-rss-check]
// --no-rss-check is for sanitizer builds, whose allocator holds freed memory.

#include "BreedCatalogue.h"
#include "PhotoSet.h"
#include "Program.h"
#include "ResidentMemory.h"
#include "RoundPlayer.h"
#include "TApplication.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
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
    bool checkRss = true;
};

Options parseOptions(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        bool isNumber = false;
        const int rounds = arguments[i].toInt(&isNumber);
        if (arguments[i] == QLatin1String("--no-rss-check")) {
            options.checkRss = false;
        } else if (isNumber && rounds > 0) {
            options.rounds = rounds;
        } else {
            throw std::invalid_argument("usage: tarvelo-endurance [rounds] [--no-rss-check]");
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

// An error box would wait for a click that never comes: report it and stop.
void failOnErrorBox() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        std::fprintf(stderr, "endurance: FAIL: an error box opened: %s\n",
                     box->text().toStdString().c_str());
        std::exit(EXIT_FAILURE);
    }
}

int run(TApplication& application, const Options& options) {
    PhotoSet photos;
    QDir::setCurrent(photos.directory());

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
