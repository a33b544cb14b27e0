// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's window, driven through its own code paths: adding, dropping
// and removing photographs, several at once, a refused photograph, the
// eleventh of a breed, and the window's size.
#include "BreedCatalogue.h"
#include "PhotoRow.h"
#include "PictureBox.h"
#include "SetChoice.h"
#include "Thumbnail.h"
#include "Utf8Path.h"
#include "WindowFixture.h"
#include "WindowSize.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>

namespace tarvelo::testing {
namespace {

class PhotosWindowTest : public WindowFixture {
protected:
    // Until it is stored, the window says it is working.
    void expectWorking() const {
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        EXPECT_TRUE(window->busy());
        EXPECT_TRUE(
            window->view()->statusLabel()->text().startsWith(QStringLiteral("Ukládám fotografii")));
    }

    // Hereford (4), row, holds the one photograph added, 1600 x 1200, which
    // is previewed; its thumbnail was before.
    void expectOnePhotographIn(PhotoRow* row, const QImage& before) const {
        EXPECT_FALSE(row->holdsDrawing());
        EXPECT_EQ(accessibleText(row, QAccessible::Name), "Hereford, 1 fotografie");
        EXPECT_EQ(row->stateLabel()->text(), QStringLiteral("Vlastní fotografie"));
        EXPECT_NE(row->thumbnail()->pixmap().toImage(), before);
        EXPECT_TRUE(row->removeButton(0)->isVisible());
        EXPECT_EQ(accessibleText(row->thumbnail(0), QAccessible::Name),
                  QStringLiteral("Fotografie 1 z 1: Hereford"));
        // The row it went into is previewed: a 4:3 photograph fills the height.
        EXPECT_EQ(window->view()->selectedIndex(), 4);
        EXPECT_EQ(window->view()->preview()->placement(), placementRect(1600, 1200, 641, 233));
        EXPECT_TRUE(window->view()->preview()->isVisible());
    }

    // Whether a drag of data entering target would be let drop there.
    static bool dragAccepted(QWidget* target, QMimeData* data) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        return enter.isAccepted();
    }
    static void drop(QWidget* target, QMimeData* data) {
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    }
};

TEST_F(PhotosWindowTest, AddingDroppingAndRemovingChangeTheSetAtOnce) {
    open();
    const QString hereford = QDir(root()).filePath(QStringLiteral("obr/0/4.jpg"));
    const QString photo = writePhoto("fotka z telefonu.jpg", 1600, 1200);
    const QByteArray original = contents(photo);
    const QImage before = window->view()->row(4)->thumbnail()->pixmap().toImage();

    QSignalSpy finished(window.get(), &PhotosWindow::importFinished);
    window->addPhotos(4, {photo});
    ASSERT_NO_FATAL_FAILURE(expectWorking());
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_TRUE(thumbnailsFilled(window->view()));
    EXPECT_EQ(finished.front().at(1).toBool(), true);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    EXPECT_NE(contents(hereford), contents(drawing(4)));
    EXPECT_EQ(contents(photo), original);
    PhotoRow* row = window->view()->row(4);
    expectOnePhotographIn(row, before);

    // Removing the only photograph puts the very drawing back.
    row->removeButton(0)->click();
    ASSERT_TRUE(thumbnailsFilled(window->view()));
    EXPECT_EQ(contents(hereford), contents(drawing(4)));
    EXPECT_TRUE(row->holdsDrawing());
    EXPECT_EQ(row->thumbnail()->pixmap().toImage(), before);
    EXPECT_FALSE(row->removeButton(0)->isVisible());
    EXPECT_EQ(window->view()->statusLabel()->text(),
              QStringLiteral("Hereford: odebrána poslední fotografie, vrácena kresba."));

    // Files dropped on a row are all added to it, in order.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(writePhoto("Galloway.jpg", 900, 1200)),
                  QUrl::fromLocalFile(writePhoto("Galloway 2.jpg", 1200, 900))});
    EXPECT_TRUE(dragAccepted(window->view()->row(11), &data));
    drop(window->view()->row(11), &data);
    ASSERT_TRUE(finished.wait(20000));
    const QString galloway = window->view()->row(11)->breed();
    EXPECT_EQ(window->view()->row(11)->photoCount(), 2);
    EXPECT_EQ(accessibleText(window->view()->row(11), QAccessible::Name),
              galloway + ", 2 fotografie");
    EXPECT_EQ(window->view()->statusLabel()->text(),
              galloway + QStringLiteral(": uloženo 2 ze 2."));
    EXPECT_TRUE(QFile::exists(setFile(1, 11)));
    // The last one added is previewed: 4:3 this time.
    EXPECT_EQ(window->view()->selectedIndex(), 11);
    EXPECT_EQ(window->view()->selectedPicture(), 1);
    EXPECT_EQ(window->view()->preview()->placement(), placementRect(1200, 900, 641, 233));
    EXPECT_TRUE(boxes.empty());

    // Text is no photograph to drop.
    QMimeData text;
    text.setText(QStringLiteral("Galloway"));
    EXPECT_FALSE(dragAccepted(window->view()->row(12), &text));
}

TEST_F(PhotosWindowTest, ARefusedPhotographIsNamedInAMessageAndChangesNothing) {
    open();
    const QString target = QDir(root()).filePath(QStringLiteral("obr/0/2.jpg"));
    const QString damaged =
        written(path("poškozená.jpg"), "\xFF\xD8\xFF\xE0 tohle není fotografie");

    ASSERT_TRUE(importInto(2, damaged));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes.front().text.contains(QStringLiteral("poškozená.jpg")))
        << boxes.front().text.toStdString();
    EXPECT_EQ(contents(target), contents(drawing(2)));
    EXPECT_TRUE(window->view()->row(2)->holdsDrawing());
    EXPECT_FALSE(window->view()->row(2)->problem().has_value());
    EXPECT_FALSE(window->busy());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QStringList left = QDir(QDir(root()).filePath(QStringLiteral("obr/0"))).entryList(QDir::Files);
    EXPECT_EQ(left.size(), breedCount) << left.join(' ').toStdString(); // no temporary file left

    ASSERT_TRUE(importInto(3, path("neexistuje.png")));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes.back().text.contains(QStringLiteral("neexistuje.png")));

    // The test program has no quiz beside it: the button says where it looked.
    window->quizButton()->click();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes.back().text,
              QStringLiteral("Kvíz tarvelo nebyl nalezen ve složce %1.")
                  .arg(QDir::toNativeSeparators(QCoreApplication::applicationDirPath())));
}

// Several files at once go in one after another off the window's thread,
// counted in the status line; one that cannot be taken is named at the end
// and the others are kept.
TEST_F(PhotosWindowTest, SeveralPhotographsAreCountedAndABadOneIsNamedWhileTheOthersStay) {
    open();
    const QString damaged = written(path("rozbitá.jpg"), "\xFF\xD8\xFF\xE0 tohle není fotografie");
    const QStringList files{writePhoto("a.jpg", 2400, 1800), writePhoto("b.jpg", 2000, 1500),
                            damaged, writePhoto("c.jpg", 2400, 1600),
                            writePhoto("d.jpg", 1800, 1800)};

    QStringList seen;
    QTimer watcher;
    watcher.setInterval(1);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        const QString text = window->view()->statusLabel()->text();
        if (seen.isEmpty() || seen.back() != text) {
            seen.push_back(text);
        }
    });
    watcher.start();
    QSignalSpy finished(window.get(), &PhotosWindow::importFinished);
    window->addPhotos(4, files);
    EXPECT_EQ(window->view()->statusLabel()->text(), QStringLiteral("Ukládám 1 z 5…"));
    EXPECT_TRUE(window->busy());
    // Meanwhile another import or a removal waits its turn.
    window->addPhotos(5, {files.front()});
    EXPECT_EQ(window->view()->statusLabel()->text(),
              QStringLiteral("Počkejte, ještě se ukládá předchozí fotografie."));
    ASSERT_TRUE(finished.wait(30000));
    watcher.stop();
    EXPECT_EQ(finished.front().at(1).toBool(), false);
    EXPECT_TRUE(seen.contains(QStringLiteral("Ukládám 2 z 5…"))) << seen.join('|').toStdString();
    EXPECT_EQ(window->view()->statusLabel()->text(), QStringLiteral("Hereford: uloženo 4 z 5."));

    ASSERT_EQ(boxes.size(), 1u);
    const QString& text = boxes.front().text;
    EXPECT_TRUE(text.contains(QStringLiteral("rozbitá.jpg"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Ostatní fotografie jsou uložené.")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("a.jpg"))) << text.toStdString();
    PhotoRow* row = window->view()->row(4);
    EXPECT_EQ(row->photoCount(), 4);
    EXPECT_TRUE(window->view()->row(5)->holdsDrawing());
    for (int photo = 0; photo < 4; ++photo) {
        EXPECT_TRUE(QFile::exists(setFile(photo, 4))) << photo;
        EXPECT_EQ(accessibleText(row->thumbnail(photo), QAccessible::Name),
                  QStringLiteral("Fotografie %1 ze 4: Hereford").arg(photo + 1));
        EXPECT_EQ(accessibleText(row->removeButton(photo), QAccessible::Name),
                  QStringLiteral("Odebrat fotografii %1 ze 4: Hereford").arg(photo + 1));
    }
    EXPECT_FALSE(QFile::exists(setFile(4, 4)));
    EXPECT_EQ(accessibleText(row, QAccessible::Name), QStringLiteral("Hereford, 4 fotografie"));
    EXPECT_EQ(row->stateLabel()->text(), QStringLiteral("Vlastní fotografie: 4"));
    // The last one is previewed, and named so in the preview's title.
    EXPECT_EQ(window->view()->selectedPicture(), 3);
    EXPECT_EQ(window->view()->preview()->placement(), placementRect(1800, 1800, 641, 233));

    // Five or more: the plural changes.
    ASSERT_TRUE(importInto(4, files.front()));
    EXPECT_EQ(accessibleText(row, QAccessible::Name), QStringLiteral("Hereford, 5 fotografií"));
}

// Delete on a focused photograph removes it: the later ones move up, and
// the focus and preview stay on the place it had.
TEST_F(PhotosWindowTest, DeleteOnAPhotographRemovesItAndTheLaterOnesMoveUp) {
    open();
    ASSERT_TRUE(
        importInto(4, QStringList{writePhoto("a.jpg", 800, 600), writePhoto("b.jpg", 900, 1200),
                                  writePhoto("c.jpg", 1600, 900)}));
    const QByteArray third = contents(setFile(2, 4));
    PhotoRow* row = window->view()->row(4);
    QTest::mouseClick(row->thumbnail(2), Qt::LeftButton);
    const auto thirdPlaced = window->view()->preview()->placement();
    QTest::mouseClick(row->thumbnail(1), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), row->thumbnail(1));
    EXPECT_EQ(window->view()->selectedPicture(), 1);
    EXPECT_EQ(window->view()->preview()->placement(), placementRect(900, 1200, 641, 233));

    press(Qt::Key_Delete);
    EXPECT_EQ(row->photoCount(), 2);
    EXPECT_EQ(contents(setFile(1, 4)), third);
    EXPECT_FALSE(QFile::exists(setFile(2, 4)));
    EXPECT_EQ(QApplication::focusWidget(), row->thumbnail(1));
    EXPECT_EQ(window->view()->selectedPicture(), 1);
    EXPECT_EQ(window->view()->preview()->placement(), thirdPlaced);
    EXPECT_EQ(accessibleText(row->thumbnail(1), QAccessible::Name),
              QStringLiteral("Fotografie 2 ze 2: Hereford"));
    EXPECT_EQ(window->view()->statusLabel()->text(),
              QStringLiteral("Hereford: fotografie odebrána, teď má 2 fotografie."));

    // Delete on the row itself removes nothing.
    row->setFocus();
    press(Qt::Key_Delete);
    EXPECT_EQ(row->photoCount(), 2);
    row->thumbnail(1)->setFocus();
    press(Qt::Key_Delete);
    EXPECT_EQ(QApplication::focusWidget(), row->thumbnail(0));
    press(Qt::Key_Delete);
    EXPECT_TRUE(row->holdsDrawing());
    EXPECT_EQ(contents(setFile(0, 4)), contents(drawing(4)));
    EXPECT_EQ(QApplication::focusWidget(), row);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PhotosWindowTest, TheEleventhPhotographIsRefusedWithAPlainMessage) {
    open();
    const QString photo = writePhoto("kráva.jpg", 640, 480);
    QStringList ten;
    for (int i = 0; i < 10; ++i) {
        ten.push_back(photo);
    }
    ASSERT_TRUE(importInto(7, ten));
    ASSERT_EQ(window->view()->row(7)->photoCount(), 10);
    EXPECT_TRUE(window->view()->row(7)->thumbnail(9)->isVisible());
    EXPECT_TRUE(boxes.empty());
    const QString breed = window->view()->row(7)->breed();

    // The button says so at once, without a file dialog.
    window->view()->row(7)->addButton()->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.back().text, QStringLiteral("Plemeno %1 už má 10 fotografií, víc jich mít "
                                                "nemůže. Nejdřív některou odeberte.")
                                     .arg(breed));
    // A drop is refused by the set itself, naming the file.
    ASSERT_TRUE(importInto(7, photo));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes.back().text.contains(QStringLiteral("„kráva.jpg“ nelze přidat")))
        << boxes.back().text.toStdString();
    EXPECT_EQ(window->view()->row(7)->photoCount(), 10);
    EXPECT_EQ(window->view()->statusLabel()->text(), breed + QStringLiteral(": nic se nezměnilo."));
}

// While photographs are being stored, whatever else would change the set's
// files waits: the status line says what for, and nothing changes.
TEST_F(PhotosWindowTest, WhileAnImportRunsEveryOtherChangeWaitsAndSaysWhy) {
    open();
    ASSERT_TRUE(importInto(4, writePhoto("a.jpg", 800, 600)));
    window->offerClassSet(PhotoSet(root(), path("kresby")),
                          PhotoSet(path("pro všechny"), path("kresby")), false);
    const QString large = writePhoto("velka.jpg", 2400, 1800);
    const QString untilStored = QStringLiteral("Počkejte, až se fotografie uloží.");
    const QString forPrevious = QStringLiteral("Počkejte, ještě se ukládá předchozí fotografie.");
    const struct {
        const char* action;
        std::function<void()> act;
        QString said;
    } cases[] = {
        {"Autor a licence…", [&] { window->creditButton()->click(); }, untilStored},
        {"the class set chosen", [&] { window->setChoice()->forAllButton()->setChecked(true); },
         untilStored},
        {"another import", [&] { window->addPhotos(5, {large}); }, forPrevious},
        {"a removal", [&] { window->view()->row(4)->removeButton(0)->click(); }, forPrevious},
    };
    int photos = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        QSignalSpy finished(window.get(), &PhotosWindow::importFinished);
        window->addPhotos(4, {large});
        ++photos;
        // The import ends only once the window's events run again.
        ASSERT_TRUE(window->busy());
        ASSERT_TRUE(window->creditButton()->isEnabled()); // the first photograph is previewed
        c.act();
        EXPECT_EQ(window->view()->statusLabel()->text(), c.said);
        ASSERT_TRUE(finished.wait(20000));
        ASSERT_TRUE(thumbnailsFilled(window->view()));
        EXPECT_FALSE(window->busy());
        EXPECT_EQ(window->view()->row(4)->photoCount(), photos);
        EXPECT_TRUE(window->view()->row(5)->holdsDrawing());
        EXPECT_TRUE(window->setChoice()->ownButton()->isChecked());
        EXPECT_EQ(window->view()->photoSet().root(), root());
    }
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
}

// The commonest school laptop has a 1366 x 768 screen with a 40-pixel
// taskbar: the window and its frame fit it, a row of ten photographs fits
// the window's width, and the preview keeps the quiz's size.
TEST_F(PhotosWindowTest, TheWindowFitsASchoolLaptopsScreen) {
    // Widths come from the text's font; Qt's headless platform under Wine
    // finds none, so there is nothing true to measure there.
    if (QFontDatabase::families().isEmpty()) {
        GTEST_SKIP() << "no fonts: text cannot be measured";
    }
    open();
    const QRect laptop(0, 0, 1366, 768 - 40);
    const QSize first = windowSizeFor(window->sizeHint(), laptop);
    EXPECT_LE(first.width(), 1280);
    EXPECT_LE(first.height(), 650);
    EXPECT_LE(first.width() + 16, laptop.width());
    EXPECT_LE(first.height() + 40, laptop.height());
    EXPECT_LE(window->minimumSizeHint().width(), first.width());
    EXPECT_LE(window->minimumSizeHint().height(), first.height());
    // A smaller screen gets a smaller window, never one beyond its edges.
    const QSize small = windowSizeFor(window->sizeHint(), QRect(0, 0, 1024, 600 - 40));
    EXPECT_LE(small.width() + 16, 1024);
    EXPECT_LE(small.height() + 40, 560);
    // Its size on the screen it opened on respects that screen too.
    const QRect available = window->screen()->availableGeometry();
    EXPECT_LE(window->width(), available.width());
    EXPECT_LE(window->height(), available.height());

    QStringList ten;
    const QString photo = writePhoto("kráva.jpg", 640, 480);
    for (int i = 0; i < 10; ++i) {
        ten.push_back(photo);
    }
    ASSERT_TRUE(importInto(4, ten));
    window->resize(first);
    QTest::qWait(50);
    EXPECT_EQ(window->size(), first);
    EXPECT_FALSE(window->view()->rowsArea()->horizontalScrollBar()->isVisible());
    const QRect lastPhoto(window->view()->row(4)->thumbnail(9)->mapTo(window.get(), QPoint(0, 0)),
                          window->view()->row(4)->thumbnail(9)->size());
    const QRect addButton(window->view()->row(4)->addButton()->mapTo(window.get(), QPoint(0, 0)),
                          window->view()->row(4)->addButton()->size());
    EXPECT_TRUE(window->rect().contains(lastPhoto.topRight()));
    EXPECT_TRUE(window->rect().contains(addButton.topRight()));
    EXPECT_LT(lastPhoto.right(), addButton.left());
    EXPECT_EQ(window->view()->preview()->size(), QSize(641, 233));
    // At least two rows are seen whole below the preview.
    EXPECT_GE(window->view()->rowsArea()->viewport()->height(),
              2 * window->view()->row(4)->height());
}

} // namespace
} // namespace tarvelo::testing
