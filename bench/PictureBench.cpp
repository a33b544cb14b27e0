// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Prints load, first-paint and repaint times of the picture box for
// photographs of about 0.3, 2, 12 and 24 megapixels, beside a plain
// libjpeg-turbo float-DCT decode of the same file into memory (the floor).
#include "JpegFixtures.h"
#include "PictureBox.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <jpeglib.h>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsOf(const std::function<void()>& action) {
    const auto start = Clock::now();
    action();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The floor: the library alone, same decoder settings, straight into memory.
void plainDecode(const std::vector<std::uint8_t>& bytes) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.dct_method = JDCT_FLOAT;
    info.do_block_smoothing = TRUE;
    info.do_fancy_upsampling = TRUE;
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    const std::size_t stride = info.output_width * 3u;
    auto pixels = std::make_unique_for_overwrite<std::uint8_t[]>(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.get() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
}

struct Size {
    int width;
    int height;
};

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    QWidget group;
    group.resize(673, 265);
    QPalette palette = group.palette();
    palette.setColor(QPalette::Window, Qt::black);
    group.setPalette(palette);
    group.setAutoFillBackground(true);
    auto* box = new tarvelo::PictureBox(&group);
    box->setGeometry(16, 16, 641, 233);
    group.show();
    QApplication::processEvents();

    const auto dir = std::filesystem::temp_directory_path() / "tarvelo-bench";
    std::filesystem::create_directories(dir);
    std::printf(
        "Median of %d rounds, milliseconds. Floor = plain libjpeg-turbo float-DCT decode.\n",
        rounds);
    std::printf("%-11s %8s %8s %8s %12s %8s %9s\n", "photo", "MB file", "load", "floor",
                "first paint", "vs floor", "repaint");
    for (const Size size : {Size{640, 480}, Size{1728, 1152}, Size{4256, 2832}, Size{6000, 4000}}) {
        tarvelo::fixtures::JpegRecipe recipe;
        recipe.width = size.width;
        recipe.height = size.height;
        recipe.pattern = tarvelo::fixtures::Pattern::Photo;
        const auto bytes = tarvelo::fixtures::makeJpeg(recipe);
        const std::string path = (dir / ("bench-" + std::to_string(size.width) + ".jpg")).string();
        tarvelo::fixtures::writeFile(path, bytes);

        std::vector<double> floor, load, first, repaint;
        const int paintsBefore = box->paintCount();
        for (int round = 0; round < rounds; ++round) {
            floor.push_back(millisecondsOf([&] { plainDecode(bytes); }));
            load.push_back(millisecondsOf([&] { box->loadPicture(path); }));
            first.push_back(millisecondsOf([&] { box->repaint(); }));
            for (int i = 0; i < 10; ++i)
                repaint.push_back(millisecondsOf([&] { box->repaint(); }));
        }
        // Guard the figures: every timed repaint must really have painted.
        if (box->state() != tarvelo::PictureBox::State::Decoded ||
            box->paintCount() - paintsBefore != rounds * 11)
            std::fprintf(stderr, "warning: paints or decode missing, figures invalid\n");
        char name[32];
        std::snprintf(name, sizeof name, "%.1f MP", size.width * size.height / 1e6);
        const double f = median(floor), p = median(first);
        std::printf("%-11s %8.2f %8.2f %8.1f %12.1f %+7.1f%% %9.3f\n", name,
                    static_cast<double>(bytes.size()) / 1e6, median(load), f, p, (p / f - 1) * 100,
                    median(repaint));
    }
    std::filesystem::remove_all(dir);
    return 0;
}
