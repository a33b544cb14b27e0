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

struct ChoiceCase {
    const char* what;
    QString forAll; // the class set's folder
    bool onClassSet;
    bool busy;
    bool chooseForAll;
    QString chosen; // the root of the set chosen, empty for none
    QString said;
    bool refused;
};

// The choice by itself: a set is chosen only when the window is not busy and,
// for the class set, when this user may write it; refused, the choice goes
// back to the set still edited.
TEST_F(SetChoiceTest, AChoiceIsRefusedWhileBusyOrForAClassSetNotTheSystems) {
    const QString own = path("moje");
    const QString missing = path("pro všechny");
#ifndef _WIN32
    const QString unguarded = folderOthersMayWrite("cizí");
#endif
    const ChoiceCase cases[] = {
        {"the class set", missing, false, false, true, missing, {}, false},
        {"back to the own set", missing, true, false, false, own, {}, false},
        {"the class set while busy",
         missing,
         false,
         true,
         true,
         {},
         QStringLiteral("Počkejte, až se fotografie uloží."),
         false},
        {"the own set while busy",
         missing,
         true,
         true,
         false,
         {},
         QStringLiteral("Počkejte, až se fotografie uloží."),
         false},
#ifndef _WIN32
        {"a class set others may write", unguarded, false, false, true, {}, {}, true},
        {"the own set beside it", unguarded, true, false, false, own, {}, false},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QLabel status;
        const BusyGuard busy([&c] { return c.busy; }, &status);
        SetChoice choice(PhotoSet(own, path("kresby")), PhotoSet(c.forAll, path("kresby")),
                         c.onClassSet, busy);
        EXPECT_EQ(choice.forAllButton()->isChecked(), c.onClassSet);
        QStringList chosen;
        QObject::connect(&choice, &SetChoice::chosen,
                         [&chosen](const PhotoSet& set) { chosen.push_back(set.root()); });
        QSignalSpy refused(&choice, &SetChoice::refused);
        (c.chooseForAll ? choice.forAllButton() : choice.ownButton())->setChecked(true);
        EXPECT_EQ(chosen, c.chosen.isEmpty() ? QStringList() : QStringList{c.chosen});
        EXPECT_EQ(status.text(), c.said);
        ASSERT_EQ(refused.size(), c.refused ? 1 : 0);
        if (c.refused) {
            EXPECT_EQ(refused.front().front().toString().toStdString(),
                      classSetUnguardedText(pathFromUtf8(c.forAll.toStdString())));
        }
        // Refused, the set still edited stays marked.
        const bool nowForAll = c.chosen.isEmpty() ? c.onClassSet : c.chooseForAll;
        EXPECT_EQ(choice.forAllButton()->isChecked(), nowForAll);
        EXPECT_EQ(choice.ownButton()->isChecked(), !nowForAll);
        EXPECT_EQ(choice.mayWriteForAll(), !c.refused && c.forAll == missing);
    }
}

} // namespace
} // namespace tarvelo::testing
