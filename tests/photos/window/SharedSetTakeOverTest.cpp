// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A shared set looked at, then taken over as the own or the class set.
#include "SharedSetTakeOver.h"

#include "PhotoRow.h"
#include "PictureBox.h"
#include "PictureSets.h"
#include "SetChoice.h"
#include "SharedSetFixture.h"
#include "Thumbnail.h"
#include "Utf8Path.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

namespace tarvelo::testing {
namespace {

class SharedSetTakeOverTest : public SharedSetFixture {
protected:
    // The colleague's set, opened, in its window with its name and note.
    void expectShownToLookAt(SharedSetWindow* shared) const {
        EXPECT_TRUE(shared->isVisible());
        EXPECT_TRUE(shared->windowTitle().contains(QStringLiteral("Plemena ze statku")));
        EXPECT_TRUE(shared->windowTitle().contains(QStringLiteral("jen k prohlížení")));
        EXPECT_TRUE(accessibleText(shared, QAccessible::Description)
                        .contains(QStringLiteral("jen k prohlížení")));
        EXPECT_TRUE(shared->nameLabel()->text().contains(QStringLiteral("„Plemena ze statku“")));
        EXPECT_EQ(shared->noteLabel()->text(), QStringLiteral("Foto: J. Nováková, CC BY"));
        EXPECT_TRUE(shared->noteLabel()->isVisible());
        EXPECT_EQ(shared->playButton()->text(), QStringLiteral("Hrát"));
        ASSERT_NE(shared->useForAllButton(), nullptr);
        EXPECT_EQ(shared->useForAllButton()->text(),
                  QStringLiteral("Použít pro všechny uživatele tohoto počítače"));
    }

    // Only the set's view and its list of sources: no button that starts,
    // prints, saves, opens, adds, removes or gives a credit.
    void expectNothingChanges(SharedSetWindow* shared) {
        SetView* view = shared->view();
        EXPECT_EQ(view->findChildren<QPushButton*>(), QList<QPushButton*>{view->sourcesButton()});
        for (const QPushButton* button : shared->findChildren<QPushButton*>()) {
            EXPECT_NE(button->text(), QStringLiteral("Autor a licence…"));
        }
        // The credit that came with the file is shown, as in the editor.
        view->selectPicture(4, 1);
        EXPECT_EQ(rendered(view->creditLabel()).text,
                  QStringLiteral("Foto: Petra Malá · Všechna práva vyhrazena"));
        view->selectPicture(4, 0);
        EXPECT_TRUE(view->creditLabel()->text().isEmpty());
        PhotoRow* hereford = view->row(4);
        EXPECT_EQ(hereford->photoCount(), 2);
        EXPECT_EQ(view->row(9)->photoCount(), 1);
        EXPECT_TRUE(view->row(5)->holdsDrawing());
        for (int i = 0; i < breedCount; ++i) {
            EXPECT_EQ(view->row(i)->addButton(), nullptr) << i;
            EXPECT_FALSE(view->row(i)->acceptDrops()) << i;
        }
        EXPECT_EQ(hereford->removeButton(0), nullptr);
        EXPECT_EQ(hereford->removeButton(1), nullptr);
        // Delete on a photograph and a drop change nothing.
        QTest::mouseClick(hereford->thumbnail(1), Qt::LeftButton);
        EXPECT_EQ(view->selectedPicture(), 1);
        EXPECT_EQ(view->preview()->placement(), placementRect(900, 1200, 641, 233));
        press(Qt::Key_Delete);
        EXPECT_EQ(hereford->photoCount(), 2);
        QSignalSpy dropped(view->row(5), &PhotoRow::photosDropped);
        QSignalSpy added(view->row(5), &PhotoRow::addRequested);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(writePhoto("b.jpg", 800, 600))});
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->row(5), &drop);
        QTest::keyClick(view->row(5), Qt::Key_Return);
        QTest::keyClick(view->row(5), Qt::Key_Space);
        EXPECT_TRUE(dropped.isEmpty());
        EXPECT_TRUE(added.isEmpty());
        EXPECT_TRUE(view->row(5)->holdsDrawing());
    }
};

// Opened, a shared set is only looked at: its name and note, its
// photographs without buttons that change them. "Použít jako moji sadu"
// replaces the own set's photographs only after "Ano", and the editor then
// shows them; the class set is offered to who may write it.
TEST_F(SharedSetTakeOverTest, ASharedSetIsOnlyLookedAtUntilItIsTakenOverAfterAno) {
    const QString file = shareColleaguesSet();
    open();
    const QString classRoot = path("pro všechny");
    window->offerClassSet(PhotoSet(root(), path("kresby")), PhotoSet(classRoot, path("kresby")),
                          false);
    SharedSetWindow* shared = openShared(file);
    ASSERT_NE(shared, nullptr);
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    ASSERT_NO_FATAL_FAILURE(expectShownToLookAt(shared));
    ASSERT_NO_FATAL_FAILURE(expectNothingChanges(shared));
    const QString unpacked = shared->unpacked().root();
    EXPECT_FALSE(unpacked.startsWith(path("")));
    EXPECT_EQ(contents(QDir(unpacked).filePath(QStringLiteral("obr/1/4.jpg"))),
              contents(colleagues(1, 4)));
    EXPECT_TRUE(ownSetUntouched());

    // "Ne" changes nothing.
    shared->useOwnButton()->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes.back().text.contains(QStringLiteral("nahradí všechny dosavadní fotografie")))
        << boxes.back().text.toStdString();
    EXPECT_TRUE(ownSetUntouched());
    EXPECT_TRUE(shared->isVisible());

    // "Ano" makes them the own set's; the view and its folder go.
    answerYes = true;
    QPointer<SharedSetWindow> guard(shared);
    shared->useOwnButton()->click();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(contents(setFile(0, 4)), contents(colleagues(0, 4)));
    EXPECT_EQ(contents(setFile(1, 4)), contents(colleagues(1, 4)));
    EXPECT_EQ(contents(setFile(0, 9)), contents(colleagues(0, 9)));
    EXPECT_EQ(contents(setFile(0, 5)), contents(drawing(5)));
    EXPECT_EQ(window->view()->photoSet().root(), root());
    EXPECT_EQ(window->view()->row(4)->photoCount(), 2);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->view()->statusLabel()->text(),
              QStringLiteral("Sada „Plemena ze statku“ je teď vaší sadou."));
    window->view()->selectPicture(4, 1);
    EXPECT_EQ(rendered(window->view()->creditLabel()).text,
              QStringLiteral("Foto: Petra Malá · Všechna práva vyhrazena"));
    QTest::qWait(20);
    EXPECT_TRUE(guard.isNull());
    EXPECT_FALSE(QDir(unpacked).exists());

    // Taken for every user, it replaces the class set, which is then edited.
    shared = openShared(file);
    ASSERT_NE(shared, nullptr);
    ASSERT_NE(shared->useForAllButton(), nullptr);
    shared->useForAllButton()->click();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_TRUE(boxes.back().text.contains(QDir::toNativeSeparators(classRoot)));
    EXPECT_EQ(window->view()->photoSet().root(), classRoot);
    EXPECT_TRUE(window->setChoice()->forAllButton()->isChecked());
    EXPECT_EQ(contents(QDir(classRoot).filePath(QStringLiteral("obr/1/4.jpg"))),
              contents(colleagues(1, 4)));
}

// By itself: the teacher is asked first, in a box over the shared set's
// window, and a class set that is not the system's is refused before
// anything is written. ("Ne" and "Ano" for the own set: the test above.)
TEST_F(SharedSetTakeOverTest, TheTeacherIsAskedFirstAndAClassSetNotTheSystemsIsRefused) {
    shareColleaguesSet();
    const PhotoSet colleague(path("kolega"), path("kresby"));
#ifndef _WIN32
    const QString unguarded = folderOthersMayWrite("cizí");
#endif
    const struct {
        const char* what;
        QString target;
        bool forAll;
        bool yes;
        SharedSetTakeOver::Outcome outcome;
        QString box; // how the box begins
    } cases[] = {
        {"Ano for every user", path("pro všechny"), true, true, SharedSetTakeOver::Outcome::Done,
         QStringLiteral("Fotografie ze sady „Plemena ze statku“ nahradí všechny dosavadní "
                        "fotografie sady pro všechny uživatele ve složce ")},
#ifndef _WIN32
        {"a class set others may write", unguarded, true, true,
         SharedSetTakeOver::Outcome::NotAsked,
         QString::fromStdString(classSetUnguardedText(pathFromUtf8(unguarded.toStdString())))},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        answerYes = c.yes;
        QWidget shared;
        SetView view(RowEditing::ReadOnly);
        const SharedSetTakeOver takeOver(&shared, QStringLiteral("Plemena ze statku"), colleague);
        EXPECT_EQ(takeOver.into(PhotoSet(c.target, path("kresby")), c.forAll, view), c.outcome);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes.front().text.startsWith(c.box)) << boxes.front().text.toStdString();
        const bool taken = c.outcome == SharedSetTakeOver::Outcome::Done;
        const QString hereford = QDir(c.target).filePath(QStringLiteral("obr/1/4.jpg"));
        EXPECT_EQ(QFile::exists(hereford), taken);
        if (taken) {
            EXPECT_EQ(contents(hereford), contents(colleagues(1, 4)));
        }
    }
    const SharedSetTakeOver takeOver(nullptr, QStringLiteral("Plemena ze statku"), colleague);
    EXPECT_EQ(takeOver.doneText(false),
              QStringLiteral("Sada „Plemena ze statku“ je teď vaší sadou."));
    EXPECT_EQ(takeOver.doneText(true), QStringLiteral("Sada „Plemena ze statku“ je teď sadou pro "
                                                      "všechny uživatele tohoto počítače."));
}

// While the editor stores photographs, the take-over waits: a box over the
// shared set's window says so, and the own set gets only the import.
TEST_F(SharedSetTakeOverTest, WhileAnImportRunsTheTakeOverWaitsWithABoxOverTheSharedSet) {
    const QString file = shareColleaguesSet();
    open();
    SharedSetWindow* shared = openShared(file);
    ASSERT_NE(shared, nullptr);
    QSignalSpy finished(window.get(), &PhotosWindow::importFinished);
    window->addPhotos(4, {writePhoto("a.jpg", 2400, 1800)});
    ASSERT_TRUE(window->busy());
    answerYes = true;
    shared->useOwnButton()->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().text, QStringLiteral("Počkejte, až se fotografie uloží."));
    EXPECT_TRUE(shared->isVisible());
    ASSERT_TRUE(!finished.isEmpty() || finished.wait(20000));
    EXPECT_EQ(window->view()->row(4)->photoCount(), 1);
    EXPECT_TRUE(window->view()->row(9)->holdsDrawing());
    EXPECT_FALSE(QFile::exists(setFile(1, 4)));
}

} // namespace
} // namespace tarvelo::testing
