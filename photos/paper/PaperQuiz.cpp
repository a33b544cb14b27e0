// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaperQuiz.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "PhotoSet.h"
#include "SetCredits.h"

#include <QFileInfo>
#include <algorithm>
#include <numeric>

namespace tarvelo {

std::vector<QString> printablePictures(const QString& setRoot, const QString& drawingsDir,
                                       int index) {
    const PhotoSet set(setRoot, drawingsDir);
    const auto inSet = [&set](const std::string& relative) {
        return QFileInfo(set.pathOf(relative)).isFile();
    };
    std::vector<QString> pictures;
    for (const int photo : photosOfBreed(index, inSet)) {
        const QString path = set.photoPath(index, photo);
        if (QFileInfo(path).isFile()) {
            pictures.push_back(path);
        }
    }
    if (pictures.empty()) {
        // The set's own path is named when it fails to load: without the
        // drawings, and where something the quiz would fail on stands in its
        // place (a pipe, a device, a folder).
        const QString first = set.photoPath(index, 0);
        pictures.push_back(
            drawingsDir.isEmpty() || QFileInfo::exists(first) ? first : set.drawingPath(index));
    }
    return pictures;
}

QString paperQuizLevelName(PaperQuizLevel level) {
    return level == PaperQuizLevel::Beginner ? QStringLiteral("Začátečník")
                                             : QStringLiteral("Pokročilý");
}

PaperQuiz drawPaperQuiz(const QString& setRoot, const QString& drawingsDir, PaperQuizLevel level,
                        std::mt19937& random) {
    std::vector<int> order(breedCount);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), random);

    const PhotoSet set(setRoot, drawingsDir);
    PaperQuiz quiz;
    quiz.level = level;
    for (const int breed : order) {
        const std::vector<QString> pictures = printablePictures(setRoot, drawingsDir, breed);
        std::uniform_int_distribution<std::size_t> pick(0, pictures.size() - 1);
        PaperQuestion question{.breed = breed, .picture = pictures[pick(random)], .credit = {}};
        // A drawing is the program's own, whatever a credits file claims.
        if (set.photos(breed).contains(question.picture)) {
            question.credit = creditOf(set, question.picture);
        }
        quiz.questions.push_back(std::move(question));
    }
    return quiz;
}

} // namespace tarvelo
