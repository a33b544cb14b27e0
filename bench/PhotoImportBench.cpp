// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-photos-bench [ROUNDS]: what importing a phone photograph buys.
// For photograph-like JPEGs of 24 and 48 megapixels, upright and stored on
// their side (Exif orientation 6), it prints the time to import each, the
// stored copy's size, and the picture box's first paint of the copy beside
// that of the original. Then the quiz's peak resident memory over a round
// played on a set of imported copies, and what ten photographs of each breed
// cost beside one: the round's peak memory and each question's first paint;
// a shared set saved and taken over (SharedSetBench.h).
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "JpegFixtures.h"
#include "PhotoFixtures.h"
#include "PhotoImport.h"
#include "PictureBox.h"
#include "PlainView.h"
#include "Quiz.h"
#include "QuizStage.h"
#include "SharedSetBench.h"
#include "Timing.h"

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>

namespace {

using tarvelo::bench::median;
using tarvelo::bench::millisecondsOf;
namespace fs = std::filesystem;
namespace fx = tarvelo::fixtures;

constexpr double mib = 1024.0 * 1024.0;

// The quiz window's picture area, timing a photograph's first paint.
struct Stage : tarvelo::bench::QuizStage {
    double firstPaint(const fs::path& path) {
        box->loadPicture(path.string());
        const double ms = millisecondsOf([&] { box->repaint(); });
        if (box->state() != tarvelo::PictureBox::State::Decoded) {
            std::fprintf(stderr, "warning: %s was not decoded, figure invalid\n",
                         path.string().c_str());
        }
        return ms;
    }
};

struct Photo {
    std::string name;
    fs::path path;
};

// The peak resident memory of a round of the quiz on set, in a process of its own.
double roundPeakMiB(const fs::path& set) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(TARVELO_ROUND_MEMORY), {QString::fromStdString(set.string())});
    if (!child.waitForFinished(300'000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0) {
        std::fprintf(stderr, "tarvelo-photos-bench: the round on %s failed\n",
                     set.string().c_str());
        return -1;
    }
    return child.readAllStandardOutput().trimmed().toDouble() / mib;
}

// The quiz's picture area bound to the stage's picture box, painted as soon
// as a photograph is loaded, as the window's next paint would.
struct PaintedPicture : tarvelo::PictureViewItem {
    Stage& stage;
    explicit PaintedPicture(Stage& s) : stage(s) {}
    void loadPicture(const std::string& path) override {
        stage.box->loadPicture(path);
        stage.box->repaint();
    }
};

// Times of the questions of a round of the quiz's rules on set, each from the
// press of a right answer to the next photograph painted: the draw of the
// breed, the look-up of its photographs, the draw among them, loading and
// first paint.
void timeRound(const fs::path& set, Stage& stage, std::vector<double>& questions) {
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(set.string()));
    tarvelo::PlainView view;
    PaintedPicture picture(stage);
    tarvelo::Quiz quiz(view.bind(picture));
    quiz.prepareFirstQuestion();
    for (int question = 1; question < 19; ++question) {
        view.ComboBox1.setText(std::string(tarvelo::answerName(quiz.round().currentPicture)));
        questions.push_back(millisecondsOf([&] { quiz.pressAnswerButton(); }));
    }
    QDir::setCurrent(before);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const fs::path dir = fs::temp_directory_path() / "tarvelo-photos-bench";
    fs::remove_all(dir);
    fs::create_directories(dir);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);

    std::fprintf(stderr, "tarvelo-photos-bench: making photographs of 24 and 48 MP\n");
    std::vector<Photo> photos;
    for (const auto& [width, height] : {std::pair{6000, 4000}, {8000, 6000}}) {
        const fx::Bytes upright = fx::makeJpeg(
            {.width = width, .height = height, .pattern = fx::Pattern::Photo, .quality = 92});
        const std::string mp = std::to_string(width * height / 1'000'000) + " MP";
        photos.push_back({mp, dir / (std::to_string(width) + ".jpg")});
        fx::writeFile(photos.back().path, upright);
        photos.push_back({mp + " o6", dir / (std::to_string(width) + "-o6.jpg")});
        fx::writeFile(photos.back().path, fx::withExifOrientation(upright, 6));
    }

    Stage stage;
    std::printf("Import of a photograph and the picture box's first paint, median of %d rounds "
                "(ms).\n",
                rounds);
    std::printf("%-10s %7s | %7s %11s %9s | %9s %9s %7s\n", "photo", "MB", "import", "stored", "KB",
                "1st copy", "1st orig", "ratio");
    const fs::path small = dir / "small.jpg";
    fx::writeFile(small, fx::makeJpeg({}));
    for (const Photo& photo : photos) {
        const fs::path copy = dir / ("copy-" + photo.path.filename().string());
        // The imports first, with nothing large held by the picture box.
        stage.box->loadPicture(small.string());
        std::vector<double> import;
        tarvelo::ImportResult result;
        for (int round = 0; round < rounds; ++round) {
            import.push_back(millisecondsOf([&] {
                result = tarvelo::importPhoto(QString::fromStdString(photo.path.string()),
                                              QString::fromStdString(copy.string()));
            }));
            if (!result.ok) {
                std::fprintf(stderr, "tarvelo-photos-bench: %s\n",
                             result.message.toStdString().c_str());
                return 1;
            }
        }
        std::vector<double> firstCopy, firstOriginal;
        for (int round = 0; round < rounds; ++round) {
            firstCopy.push_back(stage.firstPaint(copy));
            firstOriginal.push_back(stage.firstPaint(photo.path));
        }
        const double c = median(firstCopy), o = median(firstOriginal);
        std::printf("%-10s %7.2f | %7.1f %5d x %-4d %9.1f | %9.2f %9.1f %7.3f\n",
                    photo.name.c_str(), static_cast<double>(fs::file_size(photo.path)) / 1e6,
                    median(import), result.storedSize.width(), result.storedSize.height(),
                    static_cast<double>(result.storedBytes) / 1e3, c, o, c / o);
    }
    std::printf("Goals: import of 48 MP <= 500 ms; first paint of a copy <= 10 ms and <= 0.1 of "
                "the original's.\n");

    // A teacher's set: 19 photographs of 6 MP, every other one on its side,
    // each of a shape of its own so that the round can tell them apart.
    std::fprintf(stderr, "tarvelo-photos-bench: importing a set of 19, then a round on it\n");
    const fs::path set = dir / "set";
    fs::create_directories(set / "obr" / "0");
    for (int index = 0; index < 19; ++index) {
        fx::Bytes source = fx::makeJpeg(
            {.width = 3000, .height = 2250 - 12 * index, .pattern = fx::Pattern::Photo});
        if (index % 2 == 1) {
            source = fx::withExifOrientation(std::move(source), 6);
        }
        const fs::path path = dir / ("IMG_" + std::to_string(index) + ".jpg");
        fx::writeFile(path, source);
        const tarvelo::ImportResult result = tarvelo::importPhoto(
            QString::fromStdString(path.string()),
            QString::fromStdString(
                (set / "obr" / "0" / (std::to_string(index) + ".jpg")).string()));
        if (!result.ok) {
            std::fprintf(stderr, "tarvelo-photos-bench: %s\n",
                         result.message.toStdString().c_str());
            return 1;
        }
    }
    std::printf("\nPeak resident memory of the quiz over a round on 19 imported copies: %.1f MiB "
                "(goal <= 45 MiB).\n",
                roundPeakMiB(set));

    // The same set with ten photographs of each breed: copies of the first,
    // so that the round can still tell the breeds apart by their widths.
    std::fprintf(stderr, "tarvelo-photos-bench: a set of ten photographs of each breed\n");
    const fs::path tenSet = dir / "set-10";
    for (int photo = 0; photo < tarvelo::maxPhotosPerBreed; ++photo) {
        fs::create_directories(tenSet / "obr" / std::to_string(photo));
        for (int index = 0; index < 19; ++index) {
            fs::copy_file(set / tarvelo::picturePath(index),
                          tenSet / tarvelo::photoPath(index, photo));
        }
    }
    std::printf("Peak resident memory over a round on ten photographs of each breed: %.1f MiB "
                "(goal <= 45 MiB).\n",
                roundPeakMiB(tenSet));
    // The two sets take turns, so load from elsewhere falls on both.
    std::vector<double> oneTimes, tenTimes;
    for (int round = 0; round < 2 * rounds; ++round) {
        timeRound(set, stage, oneTimes);
        timeRound(tenSet, stage, tenTimes);
    }
    const double one = median(oneTimes);
    const double ten = median(tenTimes);
    std::printf("A question's press to its first paint, median over %d rounds: one photograph of "
                "each breed %.2f ms, ten %.2f ms, ratio %.3f (goal <= 1.05).\n",
                2 * rounds, one, ten, ten / one);
    tarvelo::bench::sharedSetBench(set, dir, rounds);
    // A photograph from the web whose last scan is repeated 10,000 times: how
    // soon the import refuses it.
    const fs::path endless = dir / "endless.jpg";
    fx::writeFile(
        endless,
        fx::withScans(fx::makeJpeg({.width = 4000, .height = 4000, .progressive = true}), 10000));
    std::vector<double> refusal;
    for (int round = 0; round < std::max(3, rounds / 2); ++round) {
        tarvelo::ImportResult result;
        refusal.push_back(millisecondsOf([&] {
            result =
                tarvelo::importPhoto(QString::fromStdString(endless.string()),
                                     QString::fromStdString((dir / "endless-copy.jpg").string()));
        }));
        if (result.ok) {
            std::fprintf(stderr, "tarvelo-photos-bench: a file of 10,000 scans was imported\n");
            return 1;
        }
    }
    std::printf("Import of a 4000 x 4000 photograph of 10,000 scans (%.2f MB), refused: %.1f ms.\n",
                static_cast<double>(fs::file_size(endless)) / 1e6, median(refusal));
    fs::remove_all(dir);
    return 0;
}
