// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PaperQuiz.h"
#include "PhotoFixtures.h"
#include "TempDir.h"

#include <QDir>
#include <QString>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace tarvelo::fixtures {

// A set's folder in a temporary one, its photographs made as a test needs
// them, and written tests drawn of it with a seed of the test's choosing.
class PaperQuizFixture : public ::testing::Test {
protected:
    TempDir dir;
    QString root = QString::fromStdString(dir / "Třída 3.B/sada");
    QString drawings = QStringLiteral(TARVELO_SOURCE_DRAWINGS);

    // A stored photograph obr/<photo>/<index>.jpg of the set.
    QString addPhoto(int index, int photo, int width, int height) {
        const auto folder = dir.path() / pathFromUtf8("Třída 3.B/sada/obr") / std::to_string(photo);
        std::filesystem::create_directories(folder);
        const auto file = folder / (std::to_string(index) + ".jpg");
        writeFile(file, makeJpeg({.width = width, .height = height, .pattern = Pattern::Photo}));
        return QDir::cleanPath(QString::fromStdString(utf8FromPath(file)));
    }

    PaperQuiz draw(PaperQuizLevel level, unsigned seed) {
        std::mt19937 random(seed);
        return drawPaperQuiz(root, drawings, level, random);
    }
};

// The breeds of a written test, in its order.
inline std::vector<int> order(const PaperQuiz& test) {
    std::vector<int> breeds;
    for (const PaperQuestion& question : test.questions) {
        breeds.push_back(question.breed);
    }
    return breeds;
}

} // namespace tarvelo::fixtures
