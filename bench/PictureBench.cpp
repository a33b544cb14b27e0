// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how long the picture box takes to load, first paint and repaint
// photographs of about 0.3, 2, 12 and 24 megapixels at device pixel ratios 1
// and 2, beside the floor: libjpeg-turbo's float-DCT decode of the same file
// into mapped memory, and djpeg doing it as a process. Then the first paint
// of portraits stored on their side (Exif orientation 6) beside the same
// portraits stored upright, and tarvelo-check over 19 photographs of 12
// megapixels beside djpeg over the same files; last, how soon a photograph of
// endlessly repeated scans is refused.
#include "JpegFixtures.h"
#include "JpegPicture.h"
#include "PictureBox.h"
#include "PictureErrors.h"
#include "PlainDecode.h"
#include "QuizStage.h"
#include "RasterImage.h"
#include "Timing.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using tarvelo::bench::median;
using tarvelo::bench::millisecondsOf;
namespace fs = std::filesystem;

using Stage = tarvelo::bench::QuizStage;

struct Figures {
    std::vector<double> load, first, repaint;
};

// Loads and paints the photograph once, the first paint followed by ten
// repaints, adding the times to `figures`. Says so when a timed paint did not
// really paint.
void paintRound(Stage& stage, const std::string& path, Figures& figures) {
    const int paintsBefore = stage.box->paintCount();
    figures.load.push_back(millisecondsOf([&] { stage.box->loadPicture(path); }));
    figures.first.push_back(millisecondsOf([&] { stage.box->repaint(); }));
    for (int i = 0; i < 10; ++i) {
        figures.repaint.push_back(millisecondsOf([&] { stage.box->repaint(); }));
    }
    if (stage.box->state() != tarvelo::PictureBox::State::Decoded ||
        stage.box->paintCount() - paintsBefore != 11) {
        std::fprintf(stderr, "warning: paints or decode missing, figures invalid\n");
    }
}

// Two offscreen screens side by side, the second at device pixel ratio 2.
fs::path writeScreens(const fs::path& dir) {
    const fs::path path = dir / "screens.json";
    std::ofstream(path) << R"({ "screens": [
        { "name": "ratio-1", "x": 0, "y": 0, "width": 1600, "height": 1000,
          "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 },
        { "name": "ratio-2", "x": 1600, "y": 0, "width": 1600, "height": 1000,
          "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2 } ] })";
    return path;
}

// A portrait of width x height stored upright, the same stored on its side
// with orientation 6, and those side-on pixels without the tag, so that the
// turn's own cost shows apart from the decode of the other shape.
void compareTurnedWithUpright(Stage& single, Stage& twice, const fs::path& dir, int width,
                              int height, int rounds) {
    tarvelo::fixtures::JpegRecipe upright;
    upright.width = width;
    upright.height = height;
    upright.pattern = tarvelo::fixtures::Pattern::Photo;
    tarvelo::fixtures::JpegRecipe turned = upright;
    turned.orientation = 6;
    const fs::path uprightPath = dir / "portrait-upright.jpg";
    const fs::path turnedPath = dir / "portrait-turned.jpg";
    const fs::path sidePath = dir / "portrait-side-untagged.jpg";
    tarvelo::fixtures::writeFile(uprightPath, tarvelo::fixtures::makeJpeg(upright));
    tarvelo::fixtures::writeFile(turnedPath, tarvelo::fixtures::makeJpeg(turned));
    tarvelo::fixtures::JpegRecipe side = turned;
    side.exifMarker = false;
    tarvelo::fixtures::writeFile(sidePath, tarvelo::fixtures::makeJpeg(side));

    Figures up1, up2, turned1, turned2, side1, side2;
    for (int round = 0; round < rounds; ++round) {
        paintRound(single, uprightPath.string(), up1);
        paintRound(single, turnedPath.string(), turned1);
        if (single.box->placement() != tarvelo::placementRect(width, height, 641, 233)) {
            std::fprintf(stderr, "warning: the turned photograph was not placed upright\n");
        }
        paintRound(single, sidePath.string(), side1);
        paintRound(twice, uprightPath.string(), up2);
        paintRound(twice, turnedPath.string(), turned2);
        paintRound(twice, sidePath.string(), side2);
    }
    // The scaling step alone, on the side-on raster now held: into the
    // portrait's device size at ratio 2, as stored and turned.
    const tarvelo::Raster& raster = *twice.box->picture()->raster();
    const tarvelo::PlacementRect placed = tarvelo::placementRect(width, height, 641, 233);
    const QSize target(2 * placed.width(), 2 * placed.height());
    std::vector<double> scaleStored, scaleTurned;
    for (int round = 0; round < rounds; ++round) {
        scaleStored.push_back(millisecondsOf([&] { tarvelo::scaledRasterImage(raster, target); }));
        scaleTurned.push_back(millisecondsOf([&] {
            tarvelo::scaledRasterImage(raster, target, tarvelo::Orientation::TurnedClockwise);
        }));
    }

    char name[16];
    std::snprintf(name, sizeof name, "%.1f MP", width * height / 1e6);
    const double u1 = median(up1.first), t1 = median(turned1.first), s1 = median(side1.first);
    const double u2 = median(up2.first), t2 = median(turned2.first), s2 = median(side2.first);
    std::printf("%-8s %9.1f %9.1f %7.3f %9.1f %7.3f | %9.1f %9.1f %7.3f %9.1f %7.3f\n", name, u1,
                t1, t1 / u1, s1, t1 / s1, u2, t2, t2 / u2, s2, t2 / s2);
    std::printf("%-8s scaling alone to %dx%d: as stored %.3f ms, turned %.3f ms\n", "",
                target.width(), target.height(), median(scaleStored), median(scaleTurned));
}

void compareCheckWithDjpeg(const fs::path& dir, const tarvelo::fixtures::Bytes& photo,
                           const char* name, int rounds) {
    const fs::path set = dir / "set";
    fs::create_directories(set / "obr" / "0");
    std::vector<std::string> files;
    for (int i = 0; i < 19; ++i) {
        files.push_back((set / "obr" / "0" / (std::to_string(i) + ".jpg")).string());
        tarvelo::fixtures::writeFile(files.back(), photo);
    }
    std::vector<double> check, djpeg;
    for (int round = 0; round < rounds; ++round) {
        check.push_back(tarvelo::bench::runProcess({TARVELO_CHECK, set.string()}));
        double total = 0;
        for (const auto& file : files) {
            total += tarvelo::bench::runProcess(
                {"djpeg", "-dct", "float", "-outfile", "/dev/null", file});
        }
        djpeg.push_back(total);
    }
    const double c = median(check) / 1000, d = median(djpeg) / 1000;
    std::printf("\ntarvelo-check over 19 photographs of %s: %.2f s; djpeg -dct float over the "
                "same files: %.2f s; %.2f x (median of %d)\n",
                name, c, d, c / d, rounds);
}

// A photograph found on the web whose smallest scan is repeated 12,000
// times: how long the quiz's first-paint decode and tarvelo-check take to
// refuse it. The decode is timed on its own: the bench's application does
// not report errors from a paint as the quiz's does.
void timeEndlessScans(const fs::path& dir, int rounds) {
    tarvelo::fixtures::JpegRecipe recipe;
    recipe.width = 4000;
    recipe.height = 4000;
    recipe.progressive = true;
    const auto bytes = tarvelo::fixtures::withScans(tarvelo::fixtures::makeJpeg(recipe), 12000);
    const fs::path set = dir / "endless";
    fs::create_directories(set / "obr" / "0");
    tarvelo::fixtures::writeFile(set / "obr" / "0" / "0.jpg", bytes);
    std::vector<double> decode, check;
    for (int round = 0; round < rounds; ++round) {
        decode.push_back(millisecondsOf([&] {
            auto picture = tarvelo::JpegPicture::fromBytes(bytes);
            try {
                picture.decodeRaster();
            } catch (const tarvelo::PictureError&) {
                // The refusal itself, which the quiz shows in its error box.
            }
        }));
        check.push_back(tarvelo::bench::runProcess({TARVELO_CHECK, set.string()}, 1));
    }
    std::printf("\nA 4000 x 4000 photograph of 12,000 scans (%.2f MB), refused: first-paint "
                "decode %.1f ms, tarvelo-check %.1f ms (median of %d)\n",
                static_cast<double>(bytes.size()) / 1e6, median(decode), median(check), rounds);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const fs::path dir = fs::temp_directory_path() / "tarvelo-bench";
    fs::create_directories(dir);
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + writeScreens(dir).string()).c_str());
    QApplication app(argc, argv);
    const auto screens = QGuiApplication::screens();
    if (screens.size() < 2) {
        std::fprintf(stderr, "tarvelo-bench: the offscreen platform gave no second screen\n");
        return 1;
    }
    Stage single(screens[0]);
    Stage twice(screens[1]);
    std::printf("Device pixel ratios: %.2g and %.2g\n", single.box->devicePixelRatioF(),
                twice.box->devicePixelRatioF());

    std::printf("Median of %d rounds, milliseconds. Floor: libjpeg-turbo float-DCT decode into\n"
                "mapped memory; djpeg: djpeg -dct float -outfile /dev/null, as a process.\n",
                rounds);
    std::printf("%-8s %6s %6s %7s %7s | %9s %7s | %9s %7s | %8s %8s\n", "photo", "MB", "load",
                "floor", "djpeg", "1st ×1", "÷floor", "1st ×2", "÷1st ×1", "again ×1", "again ×2");
    tarvelo::fixtures::Bytes twelve;
    for (const auto& [width, height] :
         {std::pair{640, 480}, {1728, 1152}, {4256, 2832}, {6000, 4000}}) {
        tarvelo::fixtures::JpegRecipe recipe;
        recipe.width = width;
        recipe.height = height;
        recipe.pattern = tarvelo::fixtures::Pattern::Photo;
        const auto bytes = tarvelo::fixtures::makeJpeg(recipe);
        const std::string path = (dir / ("photo-" + std::to_string(width) + ".jpg")).string();
        tarvelo::fixtures::writeFile(path, bytes);
        if (width == 4256) {
            twelve = bytes;
        }

        tarvelo::bench::PlainDecode plain(bytes);
        std::vector<double> djpeg;
        for (int round = 0; round < rounds; ++round) {
            djpeg.push_back(tarvelo::bench::runProcess(
                {"djpeg", "-dct", "float", "-outfile", "/dev/null", path}));
        }
        // Each round times the floor and both ratios once, so that load from
        // elsewhere on the machine falls on all of them alike.
        std::vector<double> floor;
        Figures one, two;
        for (int round = 0; round < rounds; ++round) {
            floor.push_back(millisecondsOf([&] { plain.run(); }));
            paintRound(single, path, one);
            paintRound(twice, path, two);
        }

        char name[16];
        std::snprintf(name, sizeof name, "%.1f MP", width * height / 1e6);
        const double f = median(floor), p1 = median(one.first), p2 = median(two.first);
        std::printf("%-8s %6.2f %6.2f %7.1f %7.1f | %9.1f %7.3f | %9.1f %7.3f | %8.3f %8.3f\n",
                    name, static_cast<double>(bytes.size()) / 1e6, median(one.load), f,
                    median(djpeg), p1, p1 / f, p2, p2 / p1, median(one.repaint),
                    median(two.repaint));
    }

    std::printf("\nFirst paint of a portrait stored on its side (Exif orientation 6), beside the\n"
                "same portrait stored upright and the side-on pixels without the tag; median of\n"
                "%d rounds, milliseconds.\n",
                rounds);
    std::printf("%-8s %9s %9s %7s %9s %7s | %9s %9s %7s %9s %7s\n", "portrait", "upright ×1",
                "turned ×1", "÷upr.", "side ×1", "÷side", "upright ×2", "turned ×2", "÷upr.",
                "side ×2", "÷side");
    for (const auto& [width, height] : {std::pair{2832, 4256}, {4000, 6000}}) {
        compareTurnedWithUpright(single, twice, dir, width, height, rounds);
    }

    compareCheckWithDjpeg(dir, twelve, "12.1 MP", std::max(3, rounds / 3));
    timeEndlessScans(dir, std::max(3, rounds / 3));
    fs::remove_all(dir);
    return 0;
}
