// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The set as the editor shows it: a picture the quiz could not show, one
// that fails in the preview's paint, the previewed photograph's credit, and
// the rows' thumbnails filled in off the window's thread.
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "CreditFixture.h"
#include "JpegFixtures.h"
#include "PhotoRow.h"
#include "PhotosApplication.h"
#include "PictureBox.h"
#include "SetChoice.h"
#include "Thumbnail.h"
#include "Utf8Path.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <filesystem>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tarvelo::testing {
namespace {

class SetViewTest : public WindowFixture {};
class SetViewCreditsTest : public CreditsFixture {};

// A teacher's full set: ten photographs of each breed. The window shows at
// once and fills the rows' thumbnails in as a worker thread decodes them.
class FullSetTest : public WindowFixture {
protected:
    QString inSet(int photo, int index) const { return setFile(photo, index); }

    void write(int photo, int index, const fixtures::Bytes& bytes) {
        const std::string file = "Třída 3.B/obr/" + std::to_string(photo);
        std::filesystem::create_directories(dir.path() / pathFromUtf8(file));
        fixtures::writeFile(dir.path() / pathFromUtf8(file + "/" + std::to_string(index) + ".jpg"),
                            bytes);
    }

    void fillSet() {
        const fixtures::Bytes photo =
            fixtures::makeJpeg({.width = 932, .height = 699, .pattern = fixtures::Pattern::Photo});
        for (int number = 0; number < maxPhotosPerBreed; ++number) {
            for (int index = 0; index < breedCount; ++index) {
                write(number, index, photo);
            }
        }
    }

    // Made and shown, without letting the window's events run.
    void showAtOnce() {
        window = std::make_unique<PhotosWindow>(PhotoSet(root(), path("kresby")));
        window->show();
    }

    QImage shown(PhotoRow* row, int n) const { return row->thumbnail(n)->pixmap().toImage(); }
    QImage thumbnailOfFile(PhotoRow* row, const QString& file) const {
        return thumbnailOf(file, row->thumbnail()->contentsRect().size());
    }
};

TEST_F(SetViewTest, APictureTheQuizCouldNotShowIsMarkedAndNotDrawn) {
    std::filesystem::create_directories(dir.path() / pathFromUtf8("Třída 3.B/obr/0"));
    fixtures::writeFile(dir.path() / pathFromUtf8("Třída 3.B/obr/0/7.jpg"), {'n', 'e'});
    open();
    PhotoRow* row = window->view()->row(7);
    ASSERT_TRUE(row->problem().has_value());
    EXPECT_EQ(row->stateLabel()->text(), *row->problem());
    EXPECT_TRUE(row->problem()->contains(QStringLiteral("7.jpg"))) << row->problem()->toStdString();
    EXPECT_TRUE(accessibleText(row, QAccessible::Description).contains(*row->problem()));
    EXPECT_TRUE(row->removeButton(0)->isVisible());
    EXPECT_FALSE(window->view()->row(6)->problem().has_value());

    window->view()->select(7);
    EXPECT_FALSE(window->view()->preview()->isVisible());
    EXPECT_TRUE(window->view()->previewProblem()->isVisible());
    EXPECT_TRUE(window->view()->previewProblem()->text().contains(*row->problem()));

    row->removeButton(0)->click();
    ASSERT_TRUE(thumbnailsFilled(window->view()));
    EXPECT_FALSE(row->problem().has_value());
    EXPECT_TRUE(row->holdsDrawing());
    EXPECT_TRUE(window->view()->preview()->isVisible());
    EXPECT_FALSE(window->view()->previewProblem()->isVisible());
    EXPECT_TRUE(boxes.empty());
}
#ifndef _WIN32
// A sparse terabyte and a FIFO named like pictures of the set, and a FIFO
// picked as a photograph: the window opens and marks each with the quiz's
// reason, the import refuses the FIFO in Czech, and nothing ever waits on it.
TEST_F(SetViewTest, ASparseTerabyteOrAPipeIsMarkedAndAPipePickedIsRefused) {
    const auto folder = dir.path() / pathFromUtf8("Třída 3.B/obr/0");
    std::filesystem::create_directories(folder);
    fixtures::writeFile(folder / "7.jpg", fixtures::makeJpeg({}));
    std::filesystem::resize_file(folder / "7.jpg", 1ULL << 40);
    ASSERT_EQ(::mkfifo((folder / "8.jpg").c_str(), 0644), 0);
    open();
    ASSERT_TRUE(window->view()->row(7)->problem().has_value());
    EXPECT_TRUE(window->view()->row(7)->problem()->endsWith(QStringLiteral("File too large")))
        << window->view()->row(7)->problem()->toStdString();
    ASSERT_TRUE(window->view()->row(8)->problem().has_value());
    EXPECT_TRUE(
        window->view()->row(8)->problem()->endsWith(QStringLiteral("Operation not supported")))
        << window->view()->row(8)->problem()->toStdString();
    window->view()->select(8);
    EXPECT_FALSE(window->view()->preview()->isVisible());
    EXPECT_TRUE(
        window->view()->previewProblem()->text().contains(*window->view()->row(8)->problem()));

    ASSERT_EQ(::mkfifo((dir / "roura.jpg").c_str(), 0644), 0);
    ASSERT_TRUE(importInto(4, path("roura.jpg")));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Soubor „roura.jpg“ nelze přečíst: není to obyčejný "
                                            "soubor, ale roura, zařízení nebo soket."));
    EXPECT_TRUE(window->view()->row(4)->holdsDrawing());
}
#endif

TEST_F(SetViewTest, APictureThatFailsInThePreviewsPaintIsReportedOnceAfterThatPaint) {
    open();
    // Emptied behind the window's back after its row was checked: an empty
    // file loads, so the preview fails only when it paints.
    const QString hereford = QDir(root()).filePath(QStringLiteral("obr/0/4.jpg"));
    ASSERT_TRUE(QFile::resize(hereford, 0));
    QTest::mouseClick(window->view()->row(4), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !boxes.empty(); }, 5000));
    EXPECT_EQ(window->view()->preview()->state(), PictureBox::State::Failed);
    window->view()->preview()->repaint(); // a failed picture is not decoded again
    QTest::qWait(50);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption.toStdString(), photosTitle().toStdString());
    EXPECT_EQ(boxes[0].text.toStdString(), "JPEG error #42.");
    EXPECT_FALSE(boxes[0].openedInPreviewPaint);
    EXPECT_EQ(window->view()->preview()->decodeCount(), 2); // the first row's drawing, then this

    // The window goes on where it was: the keyboard moves to the next row,
    // whose drawing the preview shows.
    EXPECT_EQ(QApplication::focusWidget(), window->view()->row(4));
    press(Qt::Key_Down);
    EXPECT_EQ(window->view()->selectedIndex(), 5);
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return window->view()->preview()->state() == PictureBox::State::Decoded; }, 5000));
    EXPECT_EQ(window->view()->preview()->placement(), placementRect(250, 150, 641, 233));
    EXPECT_EQ(boxes.size(), 1u);
}

// Under the preview, in the window as a teacher sees it: the author and
// licence of the photograph shown, Commons as a link to its page; nothing
// for a drawing or a photograph without a credit, the preview where it was.
TEST_F(SetViewCreditsTest, ThePreviewNamesItsPhotographsAuthorLicenceAndPage) {
    openWithCredits();
    const QPoint previewAt = window->view()->preview()->mapTo(window.get(), QPoint(0, 0));
    window->view()->selectPicture(4, 0);
    Rendered shown = rendered(creditLine());
    EXPECT_EQ(shown.text, QStringLiteral("Foto: Jan Novák · CC BY-SA 4.0 · Wikimedia Commons"));
    EXPECT_EQ(shown.links,
              (QStringList{"CC BY-SA 4.0 -> https://creativecommons.org/licenses/by-sa/4.0/",
                           "Wikimedia Commons -> "
                           "https://commons.wikimedia.org/wiki/File:Hereford_bull.jpg"}));
    EXPECT_TRUE(creditLine()->openExternalLinks());
    EXPECT_TRUE(creditLine()->isVisible());
    EXPECT_EQ(accessibleText(creditLine(), QAccessible::Description), shown.text);
    EXPECT_FALSE(accessibleText(creditLine(), QAccessible::Name).isEmpty());
    EXPECT_TRUE(window->creditButton()->isEnabled());
    const int lineHeight = creditLine()->height();

    window->view()->selectPicture(4, 1);
    shown = rendered(creditLine());
    EXPECT_EQ(shown.text, QStringLiteral("Foto: Petra Malá · Všechna práva vyhrazena"));
    EXPECT_TRUE(shown.links.isEmpty());

    // Clicked in a row, too.
    QTest::mouseClick(window->view()->row(4)->thumbnail(0), Qt::LeftButton);
    EXPECT_TRUE(rendered(creditLine()).text.startsWith(QStringLiteral("Foto: Jan Novák")));

    // A photograph without a credit, and a drawing: nothing, the button
    // for a credit only where there is a photograph to give it to.
    window->view()->select(11);
    EXPECT_TRUE(creditLine()->text().isEmpty());
    EXPECT_TRUE(window->creditButton()->isEnabled());
    window->view()->select(5);
    EXPECT_TRUE(creditLine()->text().isEmpty());
    EXPECT_TRUE(accessibleText(creditLine(), QAccessible::Description).isEmpty());
    EXPECT_FALSE(window->creditButton()->isEnabled());
    QCoreApplication::processEvents();
    EXPECT_EQ(window->view()->preview()->mapTo(window.get(), QPoint(0, 0)), previewAt);
    EXPECT_EQ(creditLine()->height(), lineHeight);

    // Removed, the photograph from Commons takes its credit along; the own
    // one that moves up keeps its own.
    window->view()->row(4)->removeButton(0)->click();
    ASSERT_TRUE(thumbnailsFilled(window->view()));
    window->view()->selectPicture(4, 0);
    EXPECT_EQ(rendered(creditLine()).text,
              QStringLiteral("Foto: Petra Malá · Všechna práva vyhrazena"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FullSetTest, TheWindowShowsAtOnceAndFillsInTheThumbnailsAsTheyCome) {
    fillSet();
    // The last photograph of the last row stands up, so that it can be told apart.
    write(9, 18,
          fixtures::makeJpeg({.width = 600, .height = 800, .pattern = fixtures::Pattern::Photo}));
    showAtOnce();
    // Every row is there, its thumbnails blank rather than marked as problems.
    EXPECT_TRUE(window->view()->thumbnailsPending());
    PhotoRow* last = window->view()->row(18);
    EXPECT_EQ(last->photoCount(), 10);
    EXPECT_TRUE(last->thumbnailsPending());
    EXPECT_TRUE(last->thumbnail(9)->pixmap().isNull());
    EXPECT_TRUE(last->thumbnail(9)->text().isEmpty());
    EXPECT_EQ(last->stateLabel()->text(), QStringLiteral("Vlastní fotografie: 10"));
    // The preview draws the first photograph already.
    EXPECT_EQ(window->view()->selectedIndex(), 0);
    EXPECT_EQ(window->view()->preview()->placement(), placementRect(932, 699, 641, 233));

    QSignalSpy ready(window->view(), &SetView::thumbnailsReady);
    ASSERT_TRUE(ready.wait(20000));
    EXPECT_FALSE(window->view()->thumbnailsPending());
    for (int index = 0; index < breedCount; ++index) {
        PhotoRow* row = window->view()->row(index);
        EXPECT_FALSE(row->thumbnailsPending()) << index;
        EXPECT_FALSE(row->problem().has_value()) << index;
        for (int n = 0; n < maxPhotosPerBreed; ++n) {
            EXPECT_FALSE(row->thumbnail(n)->pixmap().isNull()) << index << " " << n;
        }
    }
    // Each in its own place.
    EXPECT_EQ(shown(last, 9), thumbnailOfFile(last, inSet(9, 18)));
    EXPECT_NE(shown(last, 8), shown(last, 9));
    EXPECT_EQ(shown(last, 8), thumbnailOfFile(last, inSet(8, 18)));
    EXPECT_TRUE(boxes.empty());
}

// A damaged photograph and one whose header claims 40,000 x 40,000 pixels,
// more than the quiz decodes: the worker marks each with the "?" and the
// set's own reason, as the window did before it had a worker.
TEST_F(FullSetTest, ADamagedOrHugePhotographGetsItsProblemThumbnailFromTheWorker) {
    const fixtures::Bytes good =
        fixtures::makeJpeg({.width = 800, .height = 600, .pattern = fixtures::Pattern::Photo});
    write(0, 3, good);
    write(1, 3, {0xFF, 0xD8, 0xFF, 0xE0, 't', 'o', 'h', 'l', 'e', ' ', 'n', 'e'});
    fixtures::Bytes huge = fixtures::makeJpeg({});
    const auto frame = std::ranges::search(huge, fixtures::Bytes{0xFF, 0xC0});
    ASSERT_FALSE(frame.empty());
    const auto at = static_cast<std::size_t>(frame.begin() - huge.begin());
    for (std::size_t byte : {at + 5, at + 7}) { // height, then width: 40,000
        huge.at(byte) = 0x9C;
        huge.at(byte + 1) = 0x40;
    }
    write(2, 3, huge);
    showAtOnce();
    PhotoRow* row = window->view()->row(3);
    ASSERT_EQ(row->photoCount(), 3);
    EXPECT_FALSE(row->problem().has_value()); // not known yet
    EXPECT_TRUE(row->thumbnail(1)->text().isEmpty());

    ASSERT_TRUE(thumbnailsFilled(window->view()));
    EXPECT_FALSE(row->thumbnail(0)->pixmap().isNull());
    EXPECT_FALSE(row->problemOf(0).has_value());
    const PhotoSet set(root(), path("kresby"));
    for (int n : {1, 2}) {
        EXPECT_TRUE(row->thumbnail(n)->pixmap().isNull()) << n;
        EXPECT_EQ(row->thumbnail(n)->text(), QStringLiteral("?")) << n;
        ASSERT_TRUE(row->problemOf(n).has_value()) << n;
        EXPECT_EQ(row->problemOf(n), set.problemOf(inSet(n, 3))) << n;
    }
    ASSERT_TRUE(row->problem().has_value());
    EXPECT_EQ(row->stateLabel()->text(), *row->problem());
    EXPECT_TRUE(accessibleText(row, QAccessible::Description).contains(*row->problemOf(2)));
    // Previewed, the huge one is named, not drawn.
    window->view()->selectPicture(3, 2);
    EXPECT_TRUE(window->view()->previewProblem()->isVisible());
    EXPECT_EQ(window->view()->previewProblem()->text(), *row->problemOf(2));
    EXPECT_TRUE(boxes.empty());
}

// Closed, destroyed, paused or given another set while the worker decodes,
// the window stops it: nothing arrives late, and shown again or resumed it
// fills in anew.
TEST_F(FullSetTest, ClosingTheWindowOrChangingTheSetWhileThumbnailsDecodeIsClean) {
    fillSet();
    showAtOnce();
    window->close();
    EXPECT_FALSE(window->view()->thumbnailsPending());
    EXPECT_TRUE(window->view()->row(18)->thumbnail(9)->pixmap().isNull());
    QTest::qWait(50);
    EXPECT_TRUE(window->view()->row(18)->thumbnail(9)->pixmap().isNull());
    window->show();
    ASSERT_TRUE(thumbnailsFilled(window->view()));
    EXPECT_FALSE(window->view()->row(18)->thumbnail(9)->pixmap().isNull());

    // Destroyed with everything still to decode.
    showAtOnce();
    window.reset();
    QTest::qWait(50);

    // While the set's files are changed, as when a photograph is removed,
    // the worker opens none of them (Windows would refuse the change), and
    // goes on afterwards.
    showAtOnce();
    {
        const ThumbnailPause pause(*window->view());
        QTest::qWait(500); // time enough to decode them all
        EXPECT_TRUE(window->view()->thumbnailsPending());
        EXPECT_TRUE(window->view()->row(18)->thumbnail(9)->pixmap().isNull());
    }
    ASSERT_TRUE(thumbnailsFilled(window->view()));
    EXPECT_FALSE(window->view()->row(18)->thumbnail(9)->pixmap().isNull());

    // The class set chosen before the own set's photographs are decoded:
    // only the class set's drawings arrive.
    showAtOnce();
    window->offerClassSet(PhotoSet(root(), path("kresby")),
                          PhotoSet(path("pro všechny"), path("kresby")), false);
    window->setChoice()->forAllButton()->setChecked(true);
    ASSERT_TRUE(thumbnailsFilled(window->view()));
    for (int index = 0; index < breedCount; ++index) {
        PhotoRow* row = window->view()->row(index);
        ASSERT_TRUE(row->holdsDrawing()) << index;
        EXPECT_EQ(shown(row, 0), thumbnailOfFile(row, drawing(index))) << index;
    }
    QTest::qWait(50);
    EXPECT_EQ(shown(window->view()->row(18), 0),
              thumbnailOfFile(window->view()->row(18), drawing(18)));
    EXPECT_TRUE(boxes.empty());
}

} // namespace
} // namespace tarvelo::testing
