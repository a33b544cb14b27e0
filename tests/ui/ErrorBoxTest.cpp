// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AllocationLimit.h"
#include "BreedCatalogue.h"
#include "PictureBox.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "QuizWindows.h"

#include <QDir>
#include <filesystem>
#include <new>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tarvelo::testing {
namespace {

using ErrorBoxTest = QuizWindows;

TEST_F(ErrorBoxTest, AMissingPhotographIsReportedWithItsAbsolutePathAndPlayGoesOn) {
    for (int i = 1; i < breedCount; ++i) {
        removeFile(picturePath(i));
    }
    startProgram();
    startRound(false);
    press(Qt::Key_Return); // wrong
    press(Qt::Key_Return); // NEXT: the next photograph is missing
    ASSERT_EQ(errorBoxes.size(), 1u);
    // The picture layer's message, with the path in the system's own form and
    // the system's reason (tested with the picture layer), and a full stop.
    const QString relative = QString::fromStdString(picturePath(round().currentPicture));
    const QString path = QDir::toNativeSeparators(QDir::currentPath() + '/' + relative);
    QString reason;
    try {
        loadPicture(relative.toStdString());
    } catch (const EFOpenError& e) {
        reason = QString::fromUtf8(e.what()).section(QStringLiteral("\". "), 1);
    }
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(errorBoxes[0].text, QStringLiteral("Cannot open file \"%1\". %2.").arg(path, reason));
    // A path is shown as written, whatever markup a folder's name may hold.
    EXPECT_EQ(errorBoxes[0].format, Qt::PlainText);
    EXPECT_EQ(errorBoxes[0].caption, app().applicationTitle());
    EXPECT_TRUE(errorBoxes[0].hadOwner);

    // The steps before the load stand; the old photograph stays on display.
    EXPECT_EQ(form1().Label6->text(), "2. ");
    EXPECT_EQ(form1().BitBtn1->text(), "OK");
    EXPECT_EQ(form1().Image1->state(), PictureBox::State::Decoded);
    EXPECT_EQ(form1().Image1->decodeCount(), 1);
    // Closing the box applied no level again; the quiz stays usable.
    EXPECT_TRUE(form1().ComboBox1->isVisible());
    press(Qt::Key_Return);
    EXPECT_EQ(form1().BitBtn1->text(), "NEXT");
}

// Named like photographs, but sparse files of far more than any photograph
// and, where there are FIFOs, FIFOs: the next one is reported at once with
// the system's reason, never read into memory nor waited on, and play goes on.
TEST_F(ErrorBoxTest, APhotographTooLargeOrAPipeIsReportedAtOnceAndPlayGoesOn) {
    for (int i = 1; i < breedCount; ++i) {
        const std::filesystem::path path = dir.path() / picturePath(i);
#ifndef _WIN32
        if (i % 2 == 0) {
            removeFile(picturePath(i));
            ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
            continue;
        }
        std::filesystem::resize_file(path, 1ULL << 40);
#else
        std::filesystem::resize_file(path, maxPictureFileBytes + 1);
#endif
    }
    startProgram();
    startRound(false);
    press(Qt::Key_Return); // wrong
    press(Qt::Key_Return); // NEXT: the next photograph is none
    ASSERT_EQ(errorBoxes.size(), 1u);
    const int next = round().currentPicture;
    const QString path = QDir::toNativeSeparators(QDir::currentPath() + '/' +
                                                  QString::fromStdString(picturePath(next)));
    EXPECT_TRUE(
        errorBoxes[0].text.startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(path)))
        << errorBoxes[0].text.toStdString();
#ifndef _WIN32
    EXPECT_TRUE(
        errorBoxes[0].text.endsWith(next % 2 == 0 ? "Operation not supported." : "File too large."))
        << errorBoxes[0].text.toStdString();
#endif
    EXPECT_EQ(form1().Image1->state(), PictureBox::State::Decoded);
    press(Qt::Key_Return);
    EXPECT_EQ(form1().BitBtn1->text(), "NEXT");
}

// Memory that runs out in a handler is said in Czech in the error box, and
// the program goes on: here the next photograph's bytes cannot be held.
TEST_F(ErrorBoxTest, ALackOfMemoryIsReportedInCzechAndPlayGoesOn) {
    for (int i = 1; i < breedCount; ++i) {
        std::filesystem::resize_file(dir.path() / picturePath(i), 4 << 20);
    }
    startProgram();
    startRound(false);
    press(Qt::Key_Return); // wrong
    {
        const fixtures::AllocationLimit shortOfMemory(2 << 20);
        press(Qt::Key_Return); // NEXT
    }
    ASSERT_EQ(errorBoxes.size(), 1u);
    EXPECT_EQ(errorBoxes[0].text, QStringLiteral("nedostatek paměti."));
    EXPECT_EQ(errorBoxes[0].caption, app().applicationTitle());
    EXPECT_EQ(form1().Image1->state(), PictureBox::State::Decoded);
    press(Qt::Key_Return);
    EXPECT_EQ(form1().BitBtn1->text(), "NEXT");
    press(Qt::Key_Return); // with the memory back, the next one shows
    EXPECT_EQ(errorBoxes.size(), 1u);
    EXPECT_EQ(form1().Image1->state(), PictureBox::State::Decoded);

    // The same from a handler the program runs itself.
    app().dispatch([] { throw std::bad_alloc(); });
    ASSERT_EQ(errorBoxes.size(), 2u);
    EXPECT_EQ(errorBoxes[1].text, QStringLiteral("nedostatek paměti."));
}

TEST_F(ErrorBoxTest, AFileThatIsNotAJpegIsReportedBeforeAnyWindowShows) {
    writeFile(picturePath(0), "Tohle není fotografie.\n");
    startProgram();
    ASSERT_EQ(errorBoxes.size(), 1u);
    EXPECT_EQ(errorBoxes[0].text, "JPEG error #53.");
    EXPECT_FALSE(errorBoxes[0].anyWindowVisible);
    EXPECT_FALSE(errorBoxes[0].hadOwner);

    // Start-up went on: the start window is there, the question was not set.
    EXPECT_TRUE(form2().isVisible());
    EXPECT_EQ(round().questionNumber, 0);
    EXPECT_EQ(form1().Label6->text(), "");
    startRound(false);
    EXPECT_EQ(form1().Image1->state(), PictureBox::State::Empty);
}

TEST_F(ErrorBoxTest, AnEmptyPhotographFailsAtItsFirstPaintOnce) {
    writeFile(picturePath(0), "");
    startProgram();
    EXPECT_TRUE(errorBoxes.empty()); // an empty file loads
    startRound(false);
    form2().RadioButton2->setChecked(true); // would show if the level were applied again
    settle();
    ASSERT_EQ(errorBoxes.size(), 1u);
    EXPECT_EQ(errorBoxes[0].text, "JPEG error #42.");
    EXPECT_FALSE(errorBoxes[0].openedInPicturePaint); // just after the paint, not inside it
    EXPECT_EQ(form1().Image1->state(), PictureBox::State::Failed);

    form1().repaint();
    form1().Image1->update();
    settle();
    EXPECT_EQ(errorBoxes.size(), 1u);
    EXPECT_TRUE(form1().ComboBox1->isVisible());
    EXPECT_FALSE(form1().Edit1->isVisible());

    answerRight();
    EXPECT_EQ(round().questionNumber, 2);
    EXPECT_EQ(form1().Image1->state(), PictureBox::State::Decoded);
}

} // namespace
} // namespace tarvelo::testing
