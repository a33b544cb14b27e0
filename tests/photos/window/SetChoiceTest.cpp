// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// "Sada": the choice between the user's own set and the class set.
#include "SetChoice.h"

#include "BusyGuard.h"
#include "PhotoRow.h"
#include "PictureSets.h"
#include "Utf8Path.h"
#include "WindowFixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <filesystem>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvelo::testing {
namespace {

class SetChoiceTest : public WindowFixture {};

TEST_F(SetChoiceTest, TheClassSetIsAChoiceThatEditsOnlyItAndIsRefusedToWhoMayNotWriteIt) {
    open();
    const QString classRoot = path("pro všechny");
    window->offerClassSet(PhotoSet(root(), path("kresby")), PhotoSet(classRoot, path("kresby")),
                          false);
    QRadioButton* forAll = window->setChoice()->forAllButton();
    ASSERT_NE(forAll, nullptr);
    EXPECT_EQ(forAll->text(), "pro všechny uživatele tohoto počítače");
    EXPECT_FALSE(forAll->isChecked());
    EXPECT_EQ(window->view()->photoSet().root(), root());

    // Chosen, the class set is edited: it is made complete, and a photograph
    // goes into it and not into the own set.
    forAll->setChecked(true);
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    EXPECT_EQ(window->view()->photoSet().root(), classRoot);
    const QString inClassSet = QDir(classRoot).filePath(QStringLiteral("obr/0/4.jpg"));
    EXPECT_EQ(contents(inClassSet), contents(drawing(4)));
    ASSERT_TRUE(importInto(4, writePhoto("trida.jpg", 1600, 1200)));
    EXPECT_NE(contents(inClassSet), contents(drawing(4)));
    const QString inOwnSet = QDir(root()).filePath(QStringLiteral("obr/0/4.jpg"));
    EXPECT_EQ(contents(inOwnSet), contents(drawing(4)));
    EXPECT_FALSE(window->view()->row(4)->holdsDrawing());

    // Back to the own set, whose row shows its own picture again.
    window->setChoice()->ownButton()->setChecked(true);
    EXPECT_FALSE(forAll->isChecked());
    EXPECT_EQ(window->view()->photoSet().root(), root());
    EXPECT_TRUE(window->view()->row(4)->holdsDrawing());
}
#ifndef _WIN32
// A class set this user may not write is refused with a message.
TEST_F(SetChoiceTest, AClassSetThisUserMayNotWriteIsRefusedAndNothingChanges) {
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
    window->setChoice()->forAllButton()->setChecked(true);
    std::filesystem::permissions(locked.toStdString(), std::filesystem::perms::owner_all);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes.front().text.contains(QStringLiteral("Nic nebylo změněno.")))
        << boxes.front().text.toStdString();
    EXPECT_FALSE(window->setChoice()->forAllButton()->isChecked());
    EXPECT_EQ(window->view()->photoSet().root(), root());
    EXPECT_FALSE(QDir(locked).exists(QStringLiteral("obr")));
}
#endif

#ifndef _WIN32
// A class set in a folder others may write is refused by the choice itself,
// with the reason, and the own set stays marked. (Busy: the window's tests.)
TEST_F(SetChoiceTest, AClassSetOthersMayWriteIsRefusedAndTheOwnSetStaysMarked) {
    const QString unguarded = folderOthersMayWrite("cizí");
    QLabel status;
    const BusyGuard idle([] { return false; }, &status);
    SetChoice choice(PhotoSet(path("moje"), path("kresby")), PhotoSet(unguarded, path("kresby")),
                     false, idle);
    QSignalSpy chosen(&choice, &SetChoice::chosen);
    QSignalSpy refused(&choice, &SetChoice::refused);
    choice.forAllButton()->setChecked(true);
    EXPECT_TRUE(chosen.isEmpty());
    ASSERT_EQ(refused.size(), 1);
    EXPECT_EQ(refused.front().front().toString().toStdString(),
              classSetUnguardedText(pathFromUtf8(unguarded.toStdString())));
    EXPECT_TRUE(choice.ownButton()->isChecked());
    EXPECT_FALSE(choice.mayWriteForAll());
}
#endif

} // namespace
} // namespace tarvelo::testing
