// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window of tarvelo-photos, driven through its own code paths: the rows,
// choosing, dropping and restoring, a refused photograph, a picture the quiz
// could not show, one that fails in the preview's paint, and the keyboard.
#include "PhotosWindow.h"

#include "BreedCatalogue.h"
#include "JpegFixtures.h"
#include "PaperTestDialog.h"
#include "PhotoRow.h"
#include "PhotosAccessibility.h"
#include "PhotosApplication.h"
#include "PictureBox.h"
#include "TempDir.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace tarvelo::testing {
namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString accessibleText(QObject* object, QAccessible::Text kind) {
    return QAccessible::queryAccessibleInterface(object)->text(kind);
}

struct BoxSeen {
    QString caption;
    QString text;
    bool openedInPreviewPaint; // the preview's paint had not ended yet
};

// A set in a folder of its own, its drawings in another, and the window on it
// shown; message boxes are recorded and closed as they open.
class PhotosWindowTest : public ::testing::Test {
protected:
    PhotosWindowTest() {
        installPhotoRowRoles();
        std::filesystem::create_directory(dir.path() / "kresby");
        for (int i = 0; i < breedCount; ++i) {
            fixtures::JpegRecipe drawing;
            drawing.width = 200 + 10 * i; // each drawing its own size
            drawing.height = 150;
            fixtures::writeFile(dir.path() / "kresby" / (std::to_string(i) + ".jpg"),
                                fixtures::makeJpeg(drawing));
        }
        boxWatcher_.setInterval(5);
        QObject::connect(&boxWatcher_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                // Qt marks a widget while its paint event runs; a box opened
                // from inside that paint finds the mark still set.
                const bool inPaint =
                    window && window->preview()->testAttribute(Qt::WA_WState_InPaintEvent);
                boxes.push_back({box->windowTitle(), box->text(), inPaint});
                // A question is answered no.
                QAbstractButton* ok = box->button(QMessageBox::Ok);
                (ok != nullptr ? ok : box->button(QMessageBox::Close))->click();
            }
        });
        boxWatcher_.start();
    }

    QString path(const std::string& name) const { return QString::fromStdString(dir / name); }
    QString root() const { return path("Třída 3.B"); }
    QString drawing(int index) const { return path("kresby/" + std::to_string(index) + ".jpg"); }

    void open() {
        window = std::make_unique<PhotosWindow>(PhotoSet(root(), path("kresby")));
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents();
    }

    // name in ASCII: std::filesystem would take it in the Windows code page.
    QString writePhoto(const std::string& name, int width, int height) {
        fixtures::JpegRecipe photo;
        photo.width = width;
        photo.height = height;
        photo.pattern = fixtures::Pattern::Photo;
        fixtures::writeFile(dir.path() / name, fixtures::makeJpeg(photo));
        return path(name);
    }

    // Runs the window's import and waits for it; false when it never ended.
    bool importInto(int index, const QString& file) {
        QSignalSpy finished(window.get(), &PhotosWindow::importFinished);
        window->choosePhoto(index, file);
        return finished.wait(20000);
    }

    void press(Qt::Key key) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key);
    }

    fixtures::TempDir dir;
    std::unique_ptr<PhotosWindow> window;
    std::vector<BoxSeen> boxes;

private:
    QTimer boxWatcher_;
};

TEST_F(PhotosWindowTest, NineteenRowsInCatalogueOrderNameTheirBreedToScreenReaders) {
    open();
    ASSERT_EQ(window->rowCount(), breedCount);
    for (int i = 0; i < breedCount; ++i) {
        PhotoRow* row = window->row(i);
        const QString breed = QString::fromUtf8(answerName(i));
        EXPECT_EQ(row->breed(), breed);
        EXPECT_EQ(row->chooseButton()->text(), QStringLiteral("Vybrat fotografii…"));
        EXPECT_EQ(row->restoreButton()->text(), QStringLiteral("Vrátit kresbu"));
        EXPECT_EQ(accessibleText(row->chooseButton(), QAccessible::Name),
                  QStringLiteral("Vybrat fotografii: ") + breed);
        EXPECT_EQ(accessibleText(row->restoreButton(), QAccessible::Name),
                  QStringLiteral("Vrátit kresbu: ") + breed);
        EXPECT_EQ(accessibleText(row, QAccessible::Name), breed + QStringLiteral(", kresba"));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(row)->role(), QAccessible::ListItem);
        EXPECT_FALSE(row->thumbnail()->pixmap().isNull()) << i;
        // Its first use made the set complete, out of the drawings.
        EXPECT_EQ(contents(QDir(root()).filePath(QStringLiteral("obr/0/%1.jpg").arg(i))),
                  contents(drawing(i)));
    }
    EXPECT_EQ(window->row(4)->breed(), QStringLiteral("Hereford"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window->row(0)->parent())->role(),
              QAccessible::List);
    // The quiz's classic look and grey button face.
    EXPECT_EQ(QApplication::style()->name(), "windows");
    EXPECT_EQ(window->quizButton()->palette().color(QPalette::Button), QColor(212, 208, 200));
    EXPECT_TRUE(boxes.empty());

    // The first row is selected, and previewed as the quiz places it.
    EXPECT_EQ(window->selectedIndex(), 0);
    EXPECT_TRUE(window->row(0)->isSelected());
    EXPECT_EQ(window->preview()->size(), QSize(641, 233));
    EXPECT_EQ(window->preview()->placement(), placementRect(200, 150, 641, 233));
}

TEST_F(PhotosWindowTest, ChoosingDroppingAndRestoringChangeTheSetAtOnce) {
    open();
    const QString hereford = QDir(root()).filePath(QStringLiteral("obr/0/4.jpg"));
    const QString photo = writePhoto("fotka z telefonu.jpg", 1600, 1200);
    const QByteArray original = contents(photo);
    const QImage before = window->row(4)->thumbnail()->pixmap().toImage();

    QSignalSpy finished(window.get(), &PhotosWindow::importFinished);
    window->choosePhoto(4, photo);
    // Until it is stored, the window says it is working.
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_TRUE(window->busy());
    EXPECT_TRUE(window->statusLabel()->text().startsWith(QStringLiteral("Ukládám fotografii")));
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(finished.front().at(1).toBool(), true);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    EXPECT_NE(contents(hereford), contents(drawing(4)));
    EXPECT_EQ(contents(photo), original);
    PhotoRow* row = window->row(4);
    EXPECT_FALSE(row->holdsDrawing());
    EXPECT_EQ(accessibleText(row, QAccessible::Name), "Hereford, vlastní fotografie");
    EXPECT_NE(row->thumbnail()->pixmap().toImage(), before);
    EXPECT_TRUE(row->restoreButton()->isEnabled());
    // The chosen row is previewed: a 4:3 photograph fills the height.
    EXPECT_EQ(window->selectedIndex(), 4);
    EXPECT_EQ(window->preview()->placement(), placementRect(1600, 1200, 641, 233));
    EXPECT_TRUE(window->preview()->isVisible());

    // "Vrátit kresbu" puts the very drawing back.
    row->restoreButton()->click();
    EXPECT_EQ(contents(hereford), contents(drawing(4)));
    EXPECT_TRUE(row->holdsDrawing());
    EXPECT_EQ(row->thumbnail()->pixmap().toImage(), before);
    EXPECT_FALSE(row->restoreButton()->isEnabled());

    // A file dropped on a row is chosen for that row.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(writePhoto("Galloway.jpg", 900, 1200))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->row(11), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->row(11), &drop);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_FALSE(window->row(11)->holdsDrawing());
    EXPECT_EQ(window->selectedIndex(), 11);

    // Text is no photograph to drop.
    QMimeData text;
    text.setText(QStringLiteral("Galloway"));
    QDragEnterEvent textEnter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->row(12), &textEnter);
    EXPECT_FALSE(textEnter.isAccepted());
}

TEST_F(PhotosWindowTest, TheClassSetIsAChoiceThatEditsOnlyItAndIsRefusedToWhoMayNotWriteIt) {
    open();
    const QString classRoot = path("pro všechny");
    window->offerClassSet(PhotoSet(root(), path("kresby")), PhotoSet(classRoot, path("kresby")),
                          false);
    QRadioButton* forAll = window->classSetChoice();
    ASSERT_NE(forAll, nullptr);
    EXPECT_EQ(forAll->text(), "pro všechny uživatele tohoto počítače");
    EXPECT_FALSE(forAll->isChecked());
    EXPECT_EQ(window->photoSet().root(), root());

    // Chosen, the class set is edited: it is made complete, and a photograph
    // goes into it and not into the own set.
    forAll->setChecked(true);
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    EXPECT_EQ(window->photoSet().root(), classRoot);
    const QString inClassSet = QDir(classRoot).filePath(QStringLiteral("obr/0/4.jpg"));
    EXPECT_EQ(contents(inClassSet), contents(drawing(4)));
    ASSERT_TRUE(importInto(4, writePhoto("trida.jpg", 1600, 1200)));
    EXPECT_NE(contents(inClassSet), contents(drawing(4)));
    const QString inOwnSet = QDir(root()).filePath(QStringLiteral("obr/0/4.jpg"));
    EXPECT_EQ(contents(inOwnSet), contents(drawing(4)));
    EXPECT_FALSE(window->row(4)->holdsDrawing());

    // Back to the own set, whose row shows its own picture again.
    window->ownSetChoice()->setChecked(true);
    EXPECT_FALSE(forAll->isChecked());
    EXPECT_EQ(window->photoSet().root(), root());
    EXPECT_TRUE(window->row(4)->holdsDrawing());
}

#ifndef _WIN32
// A class set this user may not write is refused with a message.
TEST_F(PhotosWindowTest, AClassSetThisUserMayNotWriteIsRefusedAndNothingChanges) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root may write any folder";
    }
    const QString locked = path("zamčená");
    QDir().mkpath(locked);
    std::filesystem::permissions(locked.toStdString(), std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::owner_exec);
    open();
    window->offerClassSet(PhotoSet(root(), path("kresby")), PhotoSet(locked, path("kresby")),
                          false);
    window->classSetChoice()->setChecked(true);
    std::filesystem::permissions(locked.toStdString(), std::filesystem::perms::owner_all);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes.front().text.contains(QStringLiteral("Nic nebylo změněno.")))
        << boxes.front().text.toStdString();
    EXPECT_FALSE(window->classSetChoice()->isChecked());
    EXPECT_EQ(window->photoSet().root(), root());
    EXPECT_FALSE(QDir(locked).exists(QStringLiteral("obr")));
}
#endif

TEST_F(PhotosWindowTest, ARefusedPhotographIsNamedInAMessageAndChangesNothing) {
    open();
    const QString target = QDir(root()).filePath(QStringLiteral("obr/0/2.jpg"));
    const QString damaged = path("poškozená.jpg");
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xFF\xD8\xFF\xE0 tohle není fotografie");
    file.close();

    ASSERT_TRUE(importInto(2, damaged));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes.front().text.contains(QStringLiteral("poškozená.jpg")))
        << boxes.front().text.toStdString();
    EXPECT_EQ(contents(target), contents(drawing(2)));
    EXPECT_TRUE(window->row(2)->holdsDrawing());
    EXPECT_FALSE(window->row(2)->problem().has_value());
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

TEST_F(PhotosWindowTest, APictureTheQuizCouldNotShowIsMarkedAndNotDrawn) {
    std::filesystem::create_directories(dir.path() / pathFromUtf8("Třída 3.B/obr/0"));
    fixtures::writeFile(dir.path() / pathFromUtf8("Třída 3.B/obr/0/7.jpg"), {'n', 'e'});
    open();
    PhotoRow* row = window->row(7);
    ASSERT_TRUE(row->problem().has_value());
    EXPECT_EQ(row->stateLabel()->text(), *row->problem());
    EXPECT_TRUE(row->problem()->contains(QStringLiteral("7.jpg"))) << row->problem()->toStdString();
    EXPECT_TRUE(accessibleText(row, QAccessible::Description).contains(*row->problem()));
    EXPECT_TRUE(row->restoreButton()->isEnabled());
    EXPECT_FALSE(window->row(6)->problem().has_value());

    window->select(7);
    EXPECT_FALSE(window->preview()->isVisible());
    EXPECT_TRUE(window->previewProblem()->isVisible());
    EXPECT_TRUE(window->previewProblem()->text().contains(*row->problem()));

    row->restoreButton()->click();
    EXPECT_FALSE(row->problem().has_value());
    EXPECT_TRUE(window->preview()->isVisible());
    EXPECT_FALSE(window->previewProblem()->isVisible());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PhotosWindowTest, APictureThatFailsInThePreviewsPaintIsReportedOnceAfterThatPaint) {
    open();
    // Emptied behind the window's back after its row was checked: an empty
    // file loads, so the preview fails only when it paints.
    const QString hereford = QDir(root()).filePath(QStringLiteral("obr/0/4.jpg"));
    ASSERT_TRUE(QFile::resize(hereford, 0));
    QTest::mouseClick(window->row(4), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !boxes.empty(); }, 5000));
    EXPECT_EQ(window->preview()->state(), PictureBox::State::Failed);
    window->preview()->repaint(); // a failed picture is not decoded again
    QTest::qWait(50);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption.toStdString(), photosTitle().toStdString());
    EXPECT_EQ(boxes[0].text.toStdString(), "JPEG error #42.");
    EXPECT_FALSE(boxes[0].openedInPreviewPaint);
    EXPECT_EQ(window->preview()->decodeCount(), 2); // the first row's drawing, then this

    // The window goes on where it was: the keyboard moves to the next row,
    // whose drawing the preview shows.
    EXPECT_EQ(QApplication::focusWidget(), window->row(4));
    press(Qt::Key_Down);
    EXPECT_EQ(window->selectedIndex(), 5);
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return window->preview()->state() == PictureBox::State::Decoded; }, 5000));
    EXPECT_EQ(window->preview()->placement(), placementRect(250, 150, 641, 233));
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(PhotosWindowTest, TheKeyboardWalksRowsAndPressesButtons) {
    open();
    EXPECT_EQ(QApplication::focusWidget(), window->row(0));

    press(Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), window->row(1));
    EXPECT_EQ(window->selectedIndex(), 1);
    EXPECT_TRUE(window->row(1)->isSelected());
    EXPECT_FALSE(window->row(0)->isSelected());
    press(Qt::Key_Up);
    press(Qt::Key_Up); // nothing above the first row
    EXPECT_EQ(QApplication::focusWidget(), window->row(0));

    // Tab: the row, its "Vybrat fotografii…", then the next row ("Vrátit kresbu"
    // is disabled while the row holds the drawing).
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->row(0)->chooseButton());
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->row(1));
    // The arrows keep the column.
    press(Qt::Key_Tab);
    press(Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), window->row(2)->chooseButton());
    EXPECT_EQ(window->selectedIndex(), 2);

    // Enter and Space press the focused button.
    ASSERT_TRUE(importInto(2, writePhoto("Blonde.jpg", 640, 480)));
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->row(2)->restoreButton());
    press(Qt::Key_Return);
    EXPECT_TRUE(window->row(2)->holdsDrawing());
    ASSERT_TRUE(importInto(2, writePhoto("Blonde.jpg", 640, 480)));
    window->row(2)->restoreButton()->setFocus();
    press(Qt::Key_Space);
    EXPECT_TRUE(window->row(2)->holdsDrawing());

    // The last tab stop is the quiz button.
    window->row(18)->chooseButton()->setFocus();
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->quizButton());
    EXPECT_TRUE(boxes.empty());
}

} // namespace
} // namespace tarvelo::testing

namespace tarvelo::testing {
namespace {

// "Vytisknout test…" through its dialogs, answered as a teacher would: the
// level, then the file; the file is written, or a folder that cannot be
// written is named in a message and nothing is left.
TEST_F(PhotosWindowTest, VytisknoutTestAsksForTheLevelAndTheFileAndWritesIt) {
    open();
    auto* print = window->findChild<QPushButton*>(QStringLiteral("paperTest"));
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->text(), QStringLiteral("Vytisknout test…"));

    QString file = path("test.pdf");
    QStringList offered;
    QTimer answerer;
    answerer.setInterval(5);
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<PaperTestDialog*>(modal)) {
            EXPECT_TRUE(dialog->advancedChoice()->isChecked()); // the default
            EXPECT_EQ(dialog->advancedChoice()->text(), QStringLiteral("Pokročilý"));
            dialog->beginnerChoice()->click();
            EXPECT_EQ(dialog->level(), PaperTestLevel::Beginner);
            dialog->accept();
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            offered << files->selectedFiles();
            files->selectFile(file);
            static_cast<QDialog*>(files)->accept(); // what its Save button does
        }
    });
    answerer.start();

    print->click();
    ASSERT_EQ(offered.size(), 1);
    EXPECT_TRUE(offered.front().endsWith(QStringLiteral("/test-plemena.pdf")))
        << offered.front().toStdString();
    EXPECT_TRUE(contents(file).startsWith("%PDF-"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.back().text, QStringLiteral("Test je uložen v souboru „%1“. Otevřít ho?")
                                     .arg(QDir::toNativeSeparators(file)));
    EXPECT_EQ(window->statusLabel()->text(),
              QStringLiteral("Test (Začátečník) uložen do souboru %1.")
                  .arg(QDir::toNativeSeparators(file)));

    QFile blocker(path("soubor"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    file = path("soubor/test.pdf");
    print->click();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes.back().text.startsWith(
        QStringLiteral("Test nelze uložit jako „%1“: ").arg(QDir::toNativeSeparators(file))))
        << boxes.back().text.toStdString();
    EXPECT_EQ(window->statusLabel()->text(), QStringLiteral("Test nebyl uložen."));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QDir(path("")).entryList(QDir::Files),
              (QStringList{QStringLiteral("soubor"), QStringLiteral("test.pdf")}));
}

} // namespace
} // namespace tarvelo::testing
