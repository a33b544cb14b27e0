// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how long the quiz takes from launch to its start window's first
// frame, beside a bare Qt window of the same size (and that window with one
// line of text, the price of the font system alone), with the processor time
// and peak resident memory of each at that moment. All run as child
// processes, on Qt's offscreen platform and, where Xvfb is installed, on X11.
//
// The first frame is the first flush of a top-level window's backing store,
// which Qt's widget painting log reports; the bench reads it from the child's
// standard error as it happens.
//
// The quiz starts once in the bundled set and once in a set with ten
// photographs of each breed, which it must not look at before the start
// window shows.
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "ChildProcess.h"
#include "Timing.h"
#include "VirtualDisplay.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using tarvelo::bench::ChildProcess;
using tarvelo::bench::Clock;
using tarvelo::bench::median;

constexpr std::string_view firstFrameLine = "qt.widgets.painting: Flushing ";

struct Program {
    const char* label;
    std::vector<std::string> command;
    std::string folder = TARVELO_DATA_DIR;
};

struct Sample {
    double wallMs;
    double cpuMs;
    double peakMiB;
};

Sample launchOnce(const Program& program, const std::vector<std::string>& platform) {
    std::vector<std::string> environment = platform;
    environment.insert(environment.end(),
                       {"QT_LOGGING_RULES=qt.widgets.painting=true",
                        "QT_MESSAGE_PATTERN=%{category}: %{message}", "QT_FORCE_STDERR_LOGGING=1"});
    const auto launched = Clock::now();
    ChildProcess child(program.command, environment, program.folder);
    const auto line = child.waitForLine(firstFrameLine, launched + std::chrono::seconds(20));
    if (!line) {
        throw std::runtime_error(std::string(program.label) + " showed no window");
    }
    // The start window's client area: anything else first means a wrong measurement.
    if (line->text.find("386x157") == std::string::npos) {
        throw std::runtime_error(std::string(program.label) + ": first frame was " + line->text);
    }
    const double cpu = std::chrono::duration<double, std::milli>(child.cpuTime()).count();
    const double peak = static_cast<double>(child.peakResidentBytes()) / (1024.0 * 1024.0);
    return {std::chrono::duration<double, std::milli>(line->readAt - launched).count(), cpu, peak};
}

Sample medians(const std::vector<Sample>& samples) {
    std::vector<double> wall, cpu, peak;
    for (const auto& s : samples) {
        wall.push_back(s.wallMs);
        cpu.push_back(s.cpuMs);
        peak.push_back(s.peakMiB);
    }
    return {median(wall), median(cpu), median(peak)};
}

// The programs take turns, so load from elsewhere on the machine falls on all.
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
    std::vector<Sample> typical;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        typical.push_back(medians(samples[i]));
        std::printf("%-10s %-22s %8.1f %8.1f %9.1f\n", platformName, programs[i].label,
                    typical[i].wallMs, typical[i].cpuMs, typical[i].peakMiB);
    }
    // Each start of the quiz beside each bare window.
    for (std::size_t q = 0; q < programs.size(); ++q) {
        if (!std::string_view(programs[q].label).starts_with("tarvelo")) {
            continue;
        }
        for (std::size_t i = 0; i < programs.size(); ++i) {
            if (!std::string_view(programs[i].label).starts_with("bare")) {
                continue;
            }
            const std::string name = std::string(programs[q].label) + "/" + programs[i].label;
            std::printf("%-10s %-22s %7.2fx %7.2fx %8.2fx\n", platformName, name.c_str(),
                        typical[q].wallMs / typical[i].wallMs, typical[q].cpuMs / typical[i].cpuMs,
                        typical[q].peakMiB / typical[i].peakMiB);
        }
    }
}

// The bundled drawings as ten photographs of each breed, in a temporary folder.
std::filesystem::path makeTenPhotographSet() {
    namespace fs = std::filesystem;
    const fs::path set = fs::temp_directory_path() / "tarvelo-startup-bench";
    fs::remove_all(set);
    for (int photo = 0; photo < tarvelo::maxPhotosPerBreed; ++photo) {
        fs::create_directories(set / "obr" / std::to_string(photo));
        for (int index = 0; index < tarvelo::breedCount; ++index) {
            fs::copy_file(fs::path(TARVELO_DATA_DIR) / tarvelo::picturePath(index),
                          set / tarvelo::photoPath(index, photo));
        }
    }
    return set;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    try {
        const auto tenSet = makeTenPhotographSet();
        const std::vector<Program> programs{{"tarvelo", {TARVELO_EXE}},
                                            {"tarvelo x10", {TARVELO_EXE}, tenSet.string()},
                                            {"bare", {BARE_EXE}},
                                            {"bare+text", {BARE_EXE, "--text"}}};
        std::printf("Launch to the start window's first frame, median of %d runs; "
                    "CPU time and peak memory by then.\n",
                    runs);
        std::printf("%-10s %-22s %8s %8s %9s\n", "platform", "program", "wall ms", "CPU ms",
                    "peak MiB");
        measure("offscreen", {"QT_QPA_PLATFORM=offscreen"}, programs, runs);
        if (const auto display = tarvelo::bench::VirtualDisplay::start()) {
            measure("xcb", {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + display->name()}, programs, runs);
        } else {
            std::printf("xcb: skipped, Xvfb is not installed or did not start\n");
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarvelo-startup-bench: %s\n", error.what());
        return 1;
    }
    std::filesystem::remove_all(std::filesystem::temp_directory_path() / "tarvelo-startup-bench");
    return 0;
}
