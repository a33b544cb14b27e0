// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// "Autor a licence…": a teacher's own credit for the previewed photograph.
#include "OwnCreditDialog.h"

#include "CreditFixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvelo::testing {
namespace {

// How the test answers "Autor a licence…", and what the dialog offered.
struct CreditAnswers {
    QString author;
    QString licence;
    bool cancel = false;
    QStringList prefilled;
    QStringList offered;

    void answer(QDialog* opened) {
        auto* dialog = qobject_cast<OwnCreditDialog*>(opened);
        ASSERT_NE(dialog, nullptr);
        prefilled << dialog->authorField()->text() + QStringLiteral(" | ") +
                         dialog->licenceField()->currentText();
        offered.clear();
        for (int i = 0; i < dialog->licenceField()->count(); ++i) {
            offered << dialog->licenceField()->itemText(i);
        }
        EXPECT_TRUE(dialog->licenceField()->isEditable());
        EXPECT_EQ(dialog->okButton()->text(), QStringLiteral("OK"));
        dialog->authorField()->setText(author);
        dialog->licenceField()->setCurrentText(licence);
        if (cancel) {
            dialog->reject();
        } else {
            dialog->okButton()->click();
        }
    }
};

class OwnCreditDialogTest : public CreditsFixture {
protected:
    // Where the credits go stands a folder, which no write replaces: the
    // box says so, and the line under the preview shows what is there.
    void expectAFailedWriteSaid(QPushButton* edit, QString& author) {
        const QString creditsFolder =
            QDir(root()).filePath(QStringLiteral("obr/tarvelo-credits.json"));
        ASSERT_TRUE(QFile::remove(creditsFolder));
        ASSERT_TRUE(QDir().mkpath(creditsFolder + QStringLiteral("/zamčeno")));
        window->view()->selectPicture(4, 1);
        author = QStringLiteral("Nový autor");
        edit->click();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes.back().format, Qt::PlainText);
        EXPECT_FALSE(boxes.back().text.isEmpty());
        EXPECT_EQ(creditOf(window->view()->photoSet(), setFile(1, 4)), std::nullopt);
        EXPECT_TRUE(creditLine()->text().isEmpty());
        EXPECT_EQ(window->view()->statusLabel()->text(),
                  QStringLiteral("Autor fotografie nebyl uložen."));
    }
};

// "Autor a licence…" records a teacher's own credit, prefilled the next
// time; a photograph from Commons keeps its page; "Zrušit" changes nothing,
// an empty author takes the credit away, and a failed write is said.
TEST_F(OwnCreditDialogTest, AutorALicenceRecordsAnOwnCreditAndAnEmptyAuthorTakesItAway) {
    openWithCredits();
    QPushButton* edit = window->creditButton();
    EXPECT_EQ(edit->text(), QStringLiteral("Autor a licence…"));
    CreditAnswers answers;
    QString& author = answers.author;
    QString& licence = answers.licence;
    bool& cancel = answers.cancel;
    QStringList& prefilled = answers.prefilled;
    QStringList& offered = answers.offered;
    DialogAnswerer answerer([&answers](QDialog* opened) { answers.answer(opened); });

    window->view()->select(11);
    author = QStringLiteral("  Marie Horáková ");
    licence = QStringLiteral("CC BY 4.0");
    edit->click();
    EXPECT_EQ(prefilled, (QStringList{" | CC BY 4.0"}));
    EXPECT_EQ(offered, (QStringList{"CC BY 4.0", "CC BY-SA 4.0", "CC0 1.0", "Volné dílo",
                                    "Všechna práva vyhrazena"}));
    const PhotoCredit recorded =
        own(QStringLiteral("Marie Horáková"), QStringLiteral("CC BY 4.0"),
            QStringLiteral("https://creativecommons.org/licenses/by/4.0/"));
    EXPECT_EQ(creditOf(window->view()->photoSet(), setFile(0, 11)), recorded);
    EXPECT_EQ(rendered(creditLine()).text, QStringLiteral("Foto: Marie Horáková · CC BY 4.0"));
    EXPECT_EQ(window->view()->statusLabel()->text(),
              QStringLiteral("Autor a licence fotografie uloženy."));

    // Prefilled; a licence typed in is taken as written.
    licence = QStringLiteral("se svolením chovatele");
    edit->click();
    EXPECT_EQ(prefilled.back(), QStringLiteral("Marie Horáková | CC BY 4.0"));
    EXPECT_EQ(creditOf(window->view()->photoSet(), setFile(0, 11)), own(recorded.author, licence));

    // A photograph from Commons keeps its page and, for its licence, the link.
    window->view()->selectPicture(4, 0);
    author = QStringLiteral("Jan Novák (Wikimedia)");
    licence = fromCommons.licence;
    edit->click();
    EXPECT_EQ(prefilled.back(), QStringLiteral("Jan Novák | CC BY-SA 4.0"));
    PhotoCredit kept = fromCommons;
    kept.author = author;
    EXPECT_EQ(creditOf(window->view()->photoSet(), setFile(0, 4)), kept);
    EXPECT_EQ(rendered(creditLine()).links.size(), 2);

    cancel = true;
    author = QStringLiteral("Někdo jiný");
    edit->click();
    EXPECT_EQ(creditOf(window->view()->photoSet(), setFile(0, 4)), kept);
    cancel = false;

    author = QStringLiteral("   ");
    edit->click();
    EXPECT_EQ(creditOf(window->view()->photoSet(), setFile(0, 4)), std::nullopt);
    EXPECT_TRUE(creditLine()->text().isEmpty());
    EXPECT_EQ(window->view()->statusLabel()->text(), QStringLiteral("Autor fotografie odebrán."));
    EXPECT_TRUE(boxes.empty());

    ASSERT_NO_FATAL_FAILURE(expectAFailedWriteSaid(edit, author));
}

} // namespace
} // namespace tarvelo::testing
