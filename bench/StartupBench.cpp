// Prints how long the quiz takes from launch to its start window's first
// frame, beside a bare Qt window of the same size, and the peak resident
// memory of both at that moment. Both run as child processes, on Qt's
// offscreen platform and, where Xvfb is installed, on X11.
//
// The first frame is the first flush of a top-level window's backing store,
// which Qt's widget painting log reports; the bench reads it from the child's
// standard error as it happens.
#include "ChildProcess.h"
#include "VirtualDisplay.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using tarvelo::bench::ChildProcess;
using tarvelo::bench::Clock;

constexpr std::string_view firstFrameLine = "qt.widgets.painting: Flushing ";

struct Sample {
    double milliseconds;
    double peakMebibytes;
};

struct Program {
    const char* label;
    std::string path;
};

Sample launchOnce(const Program& program, const std::vector<std::string>& platform) {
    std::vector<std::string> environment = platform;
    environment.insert(environment.end(),
                       {"QT_LOGGING_RULES=qt.widgets.painting=true",
                        "QT_MESSAGE_PATTERN=%{category}: %{message}", "QT_FORCE_STDERR_LOGGING=1"});
    const auto launched = Clock::now();
    ChildProcess child({program.path}, environment, TARVELO_DATA_DIR);
    const auto line = child.waitForLine(firstFrameLine, launched + std::chrono::seconds(20));
    if (!line) {
        throw std::runtime_error(std::string(program.label) + " showed no window");
    }
    // The start window's client area: anything else first means a wrong measurement.
    if (line->text.find("386x157") == std::string::npos) {
        throw std::runtime_error(std::string(program.label) + ": first frame was " + line->text);
    }
    const double peak = static_cast<double>(child.peakResidentBytes()) / (1024.0 * 1024.0);
    return {std::chrono::duration<double, std::milli>(line->readAt - launched).count(), peak};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The two programs take turns, so load from elsewhere on the machine falls on both.
void measure(const char* platformName, const std::vector<std::string>& platform,
             const std::vector<Program>& programs, int runs) {
    for (const auto& program : programs) {
        launchOnce(program, platform); // warm the page cache
    }
    std::vector<std::vector<Sample>> samples(programs.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            samples[i].push_back(launchOnce(programs[i], platform));
        }
    }
    std::vector<double> times, peaks;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        std::vector<double> ms, mib;
        for (const auto& s : samples[i]) {
            ms.push_back(s.milliseconds);
            mib.push_back(s.peakMebibytes);
        }
        times.push_back(median(ms));
        peaks.push_back(median(mib));
        std::printf("%-10s %-12s %9.1f %9.1f %9.1f %12.1f\n", platformName, programs[i].label,
                    times.back(), *std::min_element(ms.begin(), ms.end()),
                    *std::max_element(ms.begin(), ms.end()), peaks.back());
    }
    std::printf("%-10s %-12s %8.2fx %29.2fx\n", platformName, "ratio", times[0] / times[1],
                peaks[0] / peaks[1]);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const std::vector<Program> programs{{"tarvelo", TARVELO_EXE}, {"bare window", BARE_EXE}};
    try {
        std::printf("Launch to the start window's first frame; median of %d runs (min, max), "
                    "peak resident memory then.\n",
                    runs);
        std::printf("%-10s %-12s %9s %9s %9s %12s\n", "platform", "program", "ms", "min", "max",
                    "peak MiB");
        measure("offscreen", {"QT_QPA_PLATFORM=offscreen"}, programs, runs);
        if (const auto display = tarvelo::bench::VirtualDisplay::start()) {
            measure("xcb (Xvfb)", {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + display->name()}, programs,
                    runs);
        } else {
            std::printf("xcb: skipped, Xvfb is not installed or did not start\n");
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarvelo-startup-bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
