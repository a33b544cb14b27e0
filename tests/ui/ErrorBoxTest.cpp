// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedCatalogue.h"
#include "PictureBox.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "QuizWindows.h"

#include <QDir>

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
