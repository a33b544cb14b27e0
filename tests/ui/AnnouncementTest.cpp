// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What Windows' screen readers are told while a round is played: run on
// Qt's windows platform, the only one here whose accessibility can be on.
#include "Accessibility.h"
#include "QuizWindows.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QTest>
#include <QtTest/qtestaccessible.h>
#include <string>
#include <vector>
#include <windows.h>

namespace tarvelo::testing {
namespace {

using AnnouncementTest = QuizWindows;

// A UI Automation client's first request, as Narrator or NVDA sends it;
// Qt switches its accessibility on with it.
void screenReaderAsksFor(QWidget& window) {
    constexpr LPARAM uiaRootObjectId = -25;
    SendMessageW(reinterpret_cast<HWND>(window.winId()), WM_GETOBJECT, 0, uiaRootObjectId);
}

// What the screen reader was told since the last call, in order.
using Told = std::vector<std::string>;
Told told() {
    Told texts;
    for (QAccessibleEvent* event : QTestAccessibility::events()) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (event->type() == QAccessible::Announcement) {
            const auto* announcement = dynamic_cast<QAccessibleAnnouncementEvent*>(event);
            texts.push_back(announcement != nullptr ? announcement->message().toStdString()
                                                    : "(an announcement without text)");
        }
#else
        // Qt's UI Automation bridge raises a notification for a value change
        // only when the value is a text.
        if (event->type() == QAccessible::ValueChanged &&
            qobject_cast<AlertPanel*>(event->object()) != nullptr) {
            const QVariant value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
            texts.push_back(value.typeId() == QMetaType::QString ? value.toString().toStdString()
                                                                 : "(not a text)");
        }
#endif
    }
    QTestAccessibility::clearEvents();
    return texts;
}

TEST_F(AnnouncementTest, EachCorrectionAndTheScoreAreToldOnceWithTheirOwnText) {
    QTestAccessibility::initialize();
    startProgram();
    screenReaderAsksFor(form2());
    ASSERT_TRUE(QAccessible::isActive())
        << "on Qt's platform " << QGuiApplication::platformName().toStdString();
    startRound(true);
    TForm1& f1 = form1();
    const auto answer = [&](bool right) {
        f1.Edit1->setText(right ? QString::fromStdString(currentAnswer()) : QStringLiteral("Zebu"));
        click(f1.BitBtn1);
    };
    told();

    answer(false);
    EXPECT_EQ(told(), Told{"Oprava: Charolais, Chyb: 1/1"});
    click(f1.BitBtn1); // NEXT: the panel goes
    answer(true);
    EXPECT_EQ(told(), Told{}) << "a right answer";

    // The panel's labels still hold the first correction when it is shown again.
    const QString third = QString::fromStdString(currentAnswer());
    answer(false);
    EXPECT_EQ(told(), Told{"Oprava: " + third.toStdString() + ", Chyb: 2/3"});
    click(f1.BitBtn1);

    // A double click: the correction is gone before it could be read.
    f1.Edit1->setText(QStringLiteral("Zebu"));
    QTest::mouseClick(f1.BitBtn1, Qt::LeftButton);
    ASSERT_TRUE(f1.GroupBox3->isVisible());
    QTest::mouseClick(f1.BitBtn1, Qt::LeftButton);
    ASSERT_FALSE(f1.GroupBox3->isVisible());
    settle();
    EXPECT_EQ(told(), Told{}) << "a hidden panel";

    while (round().questionNumber < 19) {
        answer(true);
    }
    EXPECT_EQ(told(), Told{});
    const QString last = QString::fromStdString(currentAnswer());
    answer(false);
    EXPECT_EQ(told(), Told{"Oprava: " + last.toStdString() + ", Chyb: 4/19"});
    click(f1.BitBtn1); // "Start page"
    ASSERT_TRUE(form2().GroupBox2->isVisible());
    EXPECT_EQ(told(), Told{"Výsledek: Pokročilý: Skore: 4 / 19"});

    // The next round's first correction reads as the first round's did, and
    // is told again although no label changes.
    click(form2().Button3);
    EXPECT_EQ(told(), Told{}) << "the difficulty page";
    startRound(true);
    answer(false);
    EXPECT_EQ(told(), Told{"Oprava: Charolais, Chyb: 1/1"});

    // The rest answered right: the score alone.
    click(f1.BitBtn1);
    while (form1().isVisible()) {
        answer(true);
    }
    EXPECT_EQ(told(), Told{"Výsledek: Pokročilý: Skore: 1 / 19"});
}

} // namespace
} // namespace tarvelo::testing
