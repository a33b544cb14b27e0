// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-photos-window-bench [ROUNDS]: what a full set costs the editor's
// window. It opens on the bundled drawings as one photograph of each breed
// (19) and as ten of each (190), in turn, and prints how long each takes
// until it is shown and until every thumbnail is filled in; beside them,
// libjpeg decoding the 190 files at 1/4 of their size, the least a window
// that shows them all must do, and the ratio of the full window to the small
// one plus that decode.
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "PhotoSet.h"
#include "PhotosApplication.h"
#include "PhotosWindow.h"
#include "PlainDecode.h"
#include "SetView.h"
#include "Timing.h"

#include <QEventLoop>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;
using tarvelo::bench::median;
using tarvelo::bench::millisecondsOf;

// The bundled drawings as `photos` photographs of each breed.
fs::path makeSet(const fs::path& dir, int photos) {
    const fs::path set = dir / ("set-" + std::to_string(photos));
    for (int photo = 0; photo < photos; ++photo) {
        fs::create_directories(set / "obr" / std::to_string(photo));
        for (int index = 0; index < tarvelo::breedCount; ++index) {
            fs::copy_file(fs::path(TARVELO_DRAWINGS) / (std::to_string(index) + ".jpg"),
                          set / tarvelo::photoPath(index, photo));
        }
    }
    return set;
}

struct WindowTimes {
    double shown;
    double ready;
};

// From making the window to its first frame, and to its last thumbnail.
WindowTimes openWindow(const fs::path& set) {
    WindowTimes times{};
    const auto start = std::chrono::steady_clock::now();
    const auto since = [&start] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    tarvelo::PhotosWindow window(
        tarvelo::PhotoSet(QString::fromStdString(set.string()), QStringLiteral(TARVELO_DRAWINGS)));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "tarvelo-photos-window-bench: the window was not shown\n");
    }
    times.shown = since();
    if (window.view()->thumbnailsPending()) {
        QEventLoop loop;
        QObject::connect(window.view(), &tarvelo::SetView::thumbnailsReady, &loop,
                         &QEventLoop::quit);
        loop.exec();
    }
    times.ready = since();
    return times;
}

// Every photograph of set read and decoded by libjpeg at 1/4 of its size.
double decodeQuarter(const fs::path& set) {
    return millisecondsOf([&set] {
        for (const auto& entry : fs::recursive_directory_iterator(set / "obr")) {
            if (!entry.is_regular_file()) {
                continue;
            }
            std::ifstream file(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                                  std::istreambuf_iterator<char>());
            tarvelo::bench::PlainDecode decode(bytes, 4);
            decode.run();
        }
    });
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    tarvelo::PhotosApplication app(argc, argv);
    const fs::path dir = fs::temp_directory_path() / "tarvelo-photos-window-bench";
    fs::remove_all(dir);
    const fs::path small = makeSet(dir, 1);
    const fs::path full = makeSet(dir, tarvelo::maxPhotosPerBreed);

    // Fonts and the page cache warmed first; then the three take turns, so
    // load from elsewhere on the machine falls on all.
    openWindow(small);
    openWindow(full);
    decodeQuarter(full);
    std::vector<double> smallShown, smallReady, fullShown, fullReady, decoded;
    for (int round = 0; round < rounds; ++round) {
        const WindowTimes one = openWindow(small);
        const WindowTimes ten = openWindow(full);
        smallShown.push_back(one.shown);
        smallReady.push_back(one.ready);
        fullShown.push_back(ten.shown);
        fullReady.push_back(ten.ready);
        decoded.push_back(decodeQuarter(full));
    }
    const double floor = median(smallReady) + median(decoded);
    std::printf("The editor's window, median of %d rounds (ms): on 19 photographs shown %.0f, "
                "ready %.0f; on 190 shown %.0f, ready %.0f; libjpeg's 1/4 decode of the 190 "
                "%.0f.\nReady on 190 against ready on 19 plus that decode: %.0f / %.0f, ratio "
                "%.2f (goal <= 1.5).\n",
                rounds, median(smallShown), median(smallReady), median(fullShown),
                median(fullReady), median(decoded), median(fullReady), floor,
                median(fullReady) / floor);
    fs::remove_all(dir);
    return 0;
}
