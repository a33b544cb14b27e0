// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one check of every action that waits for stored photographs: refused
// only while busy, with its own sentence in the status line or in a box.
#include "BusyGuard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace tarvelo::testing {
namespace {

TEST(BusyGuardTest, EachWaitHasItsOwnSentence) {
    EXPECT_EQ(waitingText(Waiting::UntilStored),
              QStringLiteral("Počkejte, až se fotografie uloží."));
    EXPECT_EQ(waitingText(Waiting::ForPrevious),
              QStringLiteral("Počkejte, ještě se ukládá předchozí fotografie."));
}

TEST(BusyGuardTest, TheStatusLineSaysWhyOnlyWhileBusy) {
    const struct {
        bool busy;
        Waiting waiting;
        const char* shown; // the status line afterwards
    } cases[] = {
        {false, Waiting::UntilStored, "Kvíz spuštěn."},
        {false, Waiting::ForPrevious, "Kvíz spuštěn."},
        {true, Waiting::UntilStored, "Počkejte, až se fotografie uloží."},
        {true, Waiting::ForPrevious, "Počkejte, ještě se ukládá předchozí fotografie."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        QLabel status(QStringLiteral("Kvíz spuštěn."));
        bool busy = c.busy;
        const BusyGuard guard([&busy] { return busy; }, &status);
        EXPECT_EQ(guard.busy(), c.busy);
        EXPECT_EQ(guard.refuses(c.waiting), c.busy);
        EXPECT_EQ(status.text(), QString::fromUtf8(c.shown));
        // Asked again once the import ended, it lets the action go on.
        busy = false;
        EXPECT_FALSE(guard.refuses(c.waiting));
        EXPECT_EQ(status.text(), QString::fromUtf8(c.shown));
    }
}

TEST(BusyGuardTest, InAnotherWindowABoxSaysWhyOnlyWhileBusy) {
    struct Box {
        QMessageBox::Icon icon;
        QString text;
    };
    std::vector<Box> boxes;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&boxes] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes.push_back({box->icon(), box->text()});
            box->button(QMessageBox::Ok)->click();
        }
    });
    watcher.start();
    for (const bool busy : {false, true}) {
        SCOPED_TRACE(busy);
        boxes.clear();
        QLabel status(QStringLiteral("Kvíz spuštěn."));
        QWidget other;
        const BusyGuard guard([busy] { return busy; }, &status);
        EXPECT_EQ(guard.refusesInBox(&other), busy);
        EXPECT_EQ(status.text(), QStringLiteral("Kvíz spuštěn.")); // the box says it, not the line
        ASSERT_EQ(boxes.size(), busy ? 1u : 0u);
        if (busy) {
            EXPECT_EQ(boxes.front().icon, QMessageBox::Information);
            EXPECT_EQ(boxes.front().text, QStringLiteral("Počkejte, až se fotografie uloží."));
        }
    }
}

} // namespace
} // namespace tarvelo::testing
