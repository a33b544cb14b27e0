// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedCatalogue.h"
#include "PhotoFixtures.h"
#include "PhotoSet.h"
#include "PictureFile.h"
#include "PlainView.h"
#include "Quiz.h"
#include "TempDir.h"
#include "Utf8Path.h"

#include <gtest/gtest.h>
#include <optional>
#include <set>

namespace tarvelo::fixtures {
namespace {

// The quiz's picture area on a set folder: each load goes through the quiz's
// loader and is decoded at once, as its first paint would, keeping one
// picture and passing its raster memory on as the picture box does.
struct SetPicture : PictureViewItem {
    std::filesystem::path root;
    std::optional<JpegPicture> shown;
    std::vector<std::pair<int, int>> sizes; // width, height of each picture decoded

    void loadPicture(const std::string& path) override {
        JpegPicture next = tarvelo::loadPicture(utf8FromPath(root / pathFromUtf8(path)));
        next.decodeRaster(shown ? std::move(*shown).releaseRasterMemory() : RasterMemory());
        if (next.decodeFailed()) {
            throw std::runtime_error("decode failed: " + path);
        }
        sizes.emplace_back(next.width(), next.height());
        shown.emplace(std::move(next));
    }
};

// A teacher's whole set made of imported phone photographs, every other one
// stored on its side, then a round of the quiz played on it.
TEST(ImportedRoundTest, ARoundIsPlayedOnASetBuiltByImports) {
    TempDir dir;
    const QString root = QString::fromStdString(dir / "sada");
    PhotoSet set(root, QStringLiteral(TARVELO_SOURCE_DRAWINGS));
    std::vector<std::pair<int, int>> expected(breedCount);
    for (int index = 0; index < breedCount; ++index) {
        // Each a size of its own, so the picture shown tells which was loaded.
        const int width = 1400 + 40 * index;
        const int height = 1000;
        Bytes jpeg = makeJpeg({.width = width, .height = height, .pattern = Pattern::Photo});
        const bool turned = index % 2 == 1;
        if (turned) {
            jpeg = withExifOrientation(std::move(jpeg), 6);
        }
        const std::string name = "IMG_" + std::to_string(1000 + index) + ".jpg";
        writeFile(dir.path() / name, jpeg);
        const ImportResult result = set.choose(index, QString::fromStdString(dir / name));
        ASSERT_TRUE(result.ok) << result.message.toStdString();
        expected[static_cast<std::size_t>(index)] = {result.storedSize.width(),
                                                     result.storedSize.height()};
        // Portrait once turned upright; at most the box at scale factor 3.
        EXPECT_EQ(turned, result.storedSize.height() > result.storedSize.width()) << index;
        EXPECT_EQ(result.storedSize.height(), storedBoxHeight);
        EXPECT_FALSE(set.isDrawing(index));
        EXPECT_EQ(set.problem(index), std::nullopt);
    }

    PlainView view;
    SetPicture picture;
    picture.root = pathFromUtf8(root.toStdString());
    QuizView bound = view.bind();
    Quiz quiz(QuizView{bound.ComboBox1, bound.Edit1, bound.BitBtn1, bound.Label6, bound.GroupBox3,
                       bound.Label3, bound.Label7, picture, bound.Form1, bound.Form2,
                       bound.GroupBox1, bound.GroupBox2, bound.Label1, bound.RadioButton1,
                       bound.RadioButton2},
              [] { return 4242u; });
    quiz.prepareFirstQuestion();
    view.Form1.shown = true;
    quiz.applyDifficulty();

    std::set<int> asked;
    for (int question = 1; question <= questionsPerRound; ++question) {
        const int index = quiz.round().currentPicture;
        asked.insert(index);
        ASSERT_EQ(picture.sizes.back(), expected[static_cast<std::size_t>(index)])
            << "question " << question;
        view.ComboBox1.setText(std::string(answerName(index)));
        quiz.pressAnswerButton();
    }
    EXPECT_EQ(asked.size(), static_cast<std::size_t>(breedCount));
    EXPECT_EQ(view.Label1.value, resultText(Difficulty::Beginner, 0, questionsPerRound));
}

} // namespace
} // namespace tarvelo::fixtures
