// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// "Zdroje fotografií": every credit of the set in a dialog of its own.
#include "PhotoSourcesDialog.h"

#include "CreditFixture.h"
#include "PhotoRow.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace tarvelo::testing {
namespace {

class PhotoSourcesDialogTest : public CreditsFixture {};

// What "Zdroje fotografií" showed: its table's rows as "cell | cell", the
// page as the link names it, and the links' targets.
struct SourcesSeen {
    QStringList rows;
    QStringList links;
    bool escapeClosed = false;
    bool emptyShown = false;

    void read(QDialog* opened) {
        auto* dialog = qobject_cast<PhotoSourcesDialog*>(opened);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Zdroje fotografií"));
        EXPECT_EQ(dialog->closeButton()->text(), QStringLiteral("Zavřít"));
        emptyShown = dialog->emptyLabel()->isVisible() && !dialog->table()->isVisible();
        QTableWidget* table = dialog->table();
        for (int r = 0; r < table->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columnCount(); ++c) {
                cells << table->item(r, c)->text();
                EXPECT_FALSE(table->item(r, c)->flags().testFlag(Qt::ItemIsEditable));
            }
            // The page is a link drawn over its cell, which names it to a
            // screen reader.
            const QString page = table->item(r, 4)->data(Qt::AccessibleTextRole).toString();
            EXPECT_TRUE(cells.back().isEmpty());
            cells.back() = page;
            rows << cells.join(QStringLiteral(" | "));
            auto* link = qobject_cast<QLabel*>(table->cellWidget(r, 4));
            EXPECT_EQ(link != nullptr, !page.isEmpty());
            if (link != nullptr) {
                EXPECT_TRUE(link->openExternalLinks());
                EXPECT_EQ(rendered(link).text, page);
                links << rendered(link).links;
            }
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
        escapeClosed = !dialog->isVisible();
    }
};

// "Zdroje fotografií" lists every credit of the set with its breed and
// number, read only; Escape closes it. Without credits, a sentence says so.
TEST_F(PhotoSourcesDialogTest, ZdrojeFotografiiListsEveryCreditOfTheSet) {
    openWithCredits();
    QPushButton* sources = window->view()->sourcesButton();
    EXPECT_EQ(sources->text(), QStringLiteral("Zdroje fotografií"));
    SourcesSeen seen;
    QStringList& rows = seen.rows;
    DialogAnswerer answerer([&seen](QDialog* opened) { seen.read(opened); });

    sources->click();
    EXPECT_EQ(rows, (QStringList{"Hereford | 1 | Jan Novák | CC BY-SA 4.0 | "
                                 "https://commons.wikimedia.org/w/index.php?curid=4242",
                                 "Hereford | 2 | Petra Malá | Všechna práva vyhrazena | "}));
    EXPECT_EQ(seen.links, (QStringList{"https://commons.wikimedia.org/w/index.php?curid=4242 -> "
                                       "https://commons.wikimedia.org/w/index.php?curid=4242"}));
    EXPECT_TRUE(seen.escapeClosed);
    EXPECT_FALSE(seen.emptyShown);

    // A second breed comes in the catalogue's order.
    ASSERT_FALSE(recordCredit(window->view()->photoSet(), setFile(0, 11), ownCredit));
    rows.clear();
    sources->click();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(
        rows.at(2).startsWith(window->view()->row(11)->breed() + QStringLiteral(" | 1 | Petra")))
        << rows.at(2).toStdString();

    for (const QString& credited : {setFile(0, 4), setFile(1, 4), setFile(0, 11)}) {
        ASSERT_FALSE(forgetCredit(window->view()->photoSet(), credited));
    }
    rows.clear();
    sources->click();
    EXPECT_TRUE(rows.isEmpty());
    EXPECT_TRUE(seen.emptyShown);
    PhotoSourcesDialog empty(window->view()->photoSet());
    EXPECT_EQ(empty.emptyLabel()->text(),
              QStringLiteral("Žádná fotografie sady nemá uvedeného autora."));
    EXPECT_TRUE(boxes.empty());
}

} // namespace
} // namespace tarvelo::testing
