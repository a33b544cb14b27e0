// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaperTest.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <numeric>

namespace tarvelo {

namespace {
QString under(const QString& folder, const std::string& relative) {
    return QDir::cleanPath(folder + QLatin1Char('/') +
                           QDir::fromNativeSeparators(QString::fromStdString(relative)));
}

bool isFile(const QString& path) {
    return QFileInfo(path).isFile();
}
} // namespace

std::vector<QString> printablePictures(const QString& setRoot, const QString& drawingsDir,
                                       int index) {
    const auto inSet = [&setRoot](const std::string& relative) {
        return isFile(under(setRoot, relative));
    };
    std::vector<QString> pictures;
    for (const int photo : photosOfBreed(index, inSet)) {
        const QString path = under(setRoot, photoPath(index, photo));
        if (isFile(path)) {
            pictures.push_back(path);
        }
    }
    if (pictures.empty()) {
        // The set's own path is named when it fails to load: without the
        // drawings, and where something the quiz would fail on stands in its
        // place (a pipe, a device, a folder).
        const QString first = under(setRoot, photoPath(index, 0));
        pictures.push_back(
            drawingsDir.isEmpty() || QFileInfo::exists(first)
                ? first
                : QDir::cleanPath(drawingsDir + QStringLiteral("/%1.jpg").arg(index)));
    }
    return pictures;
}

QString paperTestLevelName(PaperTestLevel level) {
    return level == PaperTestLevel::Beginner ? QStringLiteral("Začátečník")
                                             : QStringLiteral("Pokročilý");
}

PaperTest drawPaperTest(const QString& setRoot, const QString& drawingsDir, PaperTestLevel level,
                        std::mt19937& random) {
    std::vector<int> order(breedCount);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), random);

    PaperTest test;
    test.level = level;
    for (const int breed : order) {
        const std::vector<QString> pictures = printablePictures(setRoot, drawingsDir, breed);
        std::uniform_int_distribution<std::size_t> pick(0, pictures.size() - 1);
        test.questions.push_back({breed, pictures[pick(random)]});
    }
    return test;
}

} // namespace tarvelo
