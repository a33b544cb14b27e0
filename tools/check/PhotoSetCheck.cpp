// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoSetCheck.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "PpmWriter.h"
#include "Utf8Path.h"

#include <chrono>
#include <cstdio>
#include <new>
#include <string>
#include <system_error>

namespace tarvelo {

namespace {

// Said in Czech like every other program's lack of memory; the check goes on
// with the next photograph, whose memory the failed one gave back.
constexpr const char* outOfMemory = "nedostatek paměti";

// What showing the photograph upright does to the pixels as stored.
const char* turnDescription(Orientation orientation) {
    switch (orientation) {
    case Orientation::MirroredLeftRight:
        return "mirrored left to right";
    case Orientation::UpsideDown:
        return "turned 180 degrees";
    case Orientation::MirroredTopBottom:
        return "mirrored top to bottom";
    case Orientation::Transposed:
        return "turned 90 degrees clockwise and mirrored left to right";
    case Orientation::TurnedClockwise:
        return "turned 90 degrees clockwise";
    case Orientation::Transversed:
        return "turned 90 degrees clockwise and mirrored top to bottom";
    case Orientation::TurnedAnticlockwise:
        return "turned 90 degrees anticlockwise";
    case Orientation::Upright:
        break;
    }
    return "";
}

// The size the quiz places, and how the stored pixels were turned to get it.
std::string sizeField(const JpegPicture& picture) {
    const auto size = [](int width, int height) {
        return std::to_string(width) + "x" + std::to_string(height);
    };
    std::string field = size(picture.uprightWidth(), picture.uprightHeight());
    const Orientation orientation = picture.orientation();
    if (orientation == Orientation::Upright) {
        return field;
    }
    field += " (";
    if (swapsSides(orientation)) {
        field += "stored " + size(picture.width(), picture.height()) + ", ";
    }
    field += "Exif orientation " + std::to_string(static_cast<int>(orientation)) + ": " +
             turnDescription(orientation) + ")";
    return field;
}

std::string formatLine(int index, const std::string& path, const std::string& size,
                       const std::string& time, const std::string& result) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%2d  ", index);
    return buffer + path + "  " + size + "  " + time + "  " + result;
}

// The first photograph keeps the name it had when a breed had only one.
std::string dumpName(int index, int photo) {
    std::string name = std::to_string(index);
    if (photo != 0) {
        name += '-';
        name += std::to_string(photo);
    }
    return name + ".ppm";
}

// One photograph: its report line, and whether it would show without error.
// `memory` carries raster memory from one photograph to the next, as the quiz's
// picture box does.
bool checkPhotograph(int index, int photo, const std::filesystem::path& root,
                     const std::optional<std::filesystem::path>& dumpDir, RasterMemory& memory,
                     std::ostream& out) {
    const std::string relative = photoPath(index, photo);
    const std::string path = utf8FromPath((root / pathFromUtf8(relative)).lexically_normal());
    std::optional<JpegPicture> picture;
    try {
        picture.emplace(loadPicture(path));
    } catch (const PictureError& e) {
        out << formatLine(index, path, "-", "-", e.what()) << '\n';
        return false;
    } catch (const std::bad_alloc&) {
        out << formatLine(index, path, "-", "-", outOfMemory) << '\n';
        return false;
    }
    const std::string size = sizeField(*picture);
    std::string result = "OK";
    bool good = true;
    const auto start = std::chrono::steady_clock::now();
    try {
        picture->decodeRaster(std::move(memory));
    } catch (const PictureError& e) {
        result = e.what();
    } catch (const std::bad_alloc&) {
        result = outOfMemory;
        good = false;
    }
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    char time[32];
    std::snprintf(time, sizeof time, "%.1f ms", elapsed.count());
    if (dumpDir && picture->raster() != nullptr && !picture->raster()->empty()) {
        try {
            writePpm(*picture->raster(), picture->orientation(), *dumpDir / dumpName(index, photo));
        } catch (const std::exception& e) {
            result += std::string(" (") + e.what() + ")";
        }
    }
    out << formatLine(index, path, size, time, result) << '\n';
    good = good && !picture->decodeFailed();
    memory = std::move(*picture).releaseRasterMemory();
    return good;
}

} // namespace

bool checkPhotoSet(const std::filesystem::path& root,
                   const std::optional<std::filesystem::path>& dumpDir, std::ostream& out) {
    if (dumpDir) {
        std::filesystem::create_directories(*dumpDir);
    }
    bool allGood = true;
    RasterMemory memory;
    for (int index = 0; index < breedCount; ++index) {
        if (!pictureAvailable(index)) {
            continue; // the quiz never loads it
        }
        // Every photograph the quiz may draw for the breed, as it finds them.
        const auto inSet = [&root](const std::string& relative) {
            std::error_code error;
            return std::filesystem::is_regular_file(root / pathFromUtf8(relative), error);
        };
        for (const int photo : photosOfBreed(index, inSet)) {
            allGood = checkPhotograph(index, photo, root, dumpDir, memory, out) && allGood;
        }
    }
    return allGood;
}

} // namespace tarvelo
