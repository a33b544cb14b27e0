// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Photographs from Wikimedia Commons in the window, against a made-up
// Commons on 127.0.0.1: a row's "Najít na Wikimedia Commons…", choosing and
// adding with credits, "Zrušit", a typed search, the fill of every breed
// short of photographs, and a network that fails.
#include "CommonsDialog.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "FakeCommons.h"
#include "JpegFixtures.h"
#include "PhotoRow.h"
#include "PhotosAccessibility.h"
#include "PhotosWindow.h"
#include "SetCredits.h"
#include "SetView.h"
#include "TempDir.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace tarvelo {
// How a credit that differs is shown.
void PrintTo(const PhotoCredit& credit, std::ostream* out) {
    *out << QStringList{credit.author, credit.licence,   credit.licenceUrl,
                        credit.page,   credit.shortPage, credit.title}
                .join(QStringLiteral(" | "))
                .toStdString();
}
} // namespace tarvelo

namespace tarvelo::testing {
namespace {

// The window on a set of drawings, with Commons and Wikidata at the fake
// server; message boxes are recorded and closed as they open.
class CommonsDialogTest : public ::testing::Test {
protected:
    CommonsDialogTest() {
        installPhotoRowRoles();
        std::filesystem::create_directory(dir.path() / "kresby");
        for (int i = 0; i < breedCount; ++i) {
            fixtures::JpegRecipe drawing;
            drawing.width = 200;
            drawing.height = 150;
            fixtures::writeFile(dir.path() / "kresby" / (std::to_string(i) + ".jpg"),
                                fixtures::makeJpeg(drawing));
        }
        EXPECT_TRUE(commons.listen());
        pointAt(commons.apiUrl().toString());
        boxWatcher_.setInterval(5);
        QObject::connect(&boxWatcher_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes << box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        boxWatcher_.start();
    }
    ~CommonsDialogTest() override {
        qunsetenv("TARVELO_COMMONS_API");
        qunsetenv("TARVELO_WIKIDATA_API");
    }

    static void pointAt(const QString& api) {
        qputenv("TARVELO_COMMONS_API", api.toUtf8());
        qputenv("TARVELO_WIKIDATA_API", api.toUtf8());
    }

    QString root() const { return QString::fromStdString(dir / "Třída 3.B"); }
    QString setFile(int photo, int index) const {
        return root() + QStringLiteral("/obr/%1/%2.jpg").arg(photo).arg(index);
    }

    void open() {
        window = std::make_unique<PhotosWindow>(
            PhotoSet(root(), QString::fromStdString(dir / "kresby")));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(
            QTest::qWaitFor([this] { return !window->view()->thumbnailsPending(); }, 20000));
    }

    // The dialog a row's button opened, once its candidates are shown.
    CommonsDialog* openFor(int index) {
        window->view()->row(index)->commonsButton()->click();
        return shownDialog();
    }
    static CommonsDialog* shownDialog() {
        auto* dialog = qobject_cast<CommonsDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return nullptr;
        }
        QSignalSpy shown(dialog, &CommonsDialog::candidatesShown);
        if (dialog->shownCandidates().empty() && dialog->candidateList()->count() == 0 &&
            !shown.wait(20000)) {
            return nullptr;
        }
        return dialog;
    }
    static bool addChosen(CommonsDialog* dialog) {
        QSignalSpy finished(dialog, &CommonsDialog::addingFinished);
        dialog->addButton()->click();
        return finished.wait(30000);
    }
    int apiRequests() const {
        return static_cast<int>(std::ranges::count_if(
            commons.requests(), [](const fake::RecordedRequest& r) { return r.isApi(); }));
    }

    fixtures::TempDir dir;
    fake::FakeCommons commons;
    std::unique_ptr<PhotosWindow> window;
    QStringList boxes;

private:
    QTimer boxWatcher_;
};

// The whole way a teacher goes: the row's button, the breed's free
// photographs with author and licence, two ticked, "Přidat vybrané"; they
// are in the row, with their credits, and nothing was asked before the click.
TEST_F(CommonsDialogTest, ARowFindsItsBreedsFreePhotographsAndAddsTheChosenWithCredits) {
    open();
    EXPECT_TRUE(commons.requests().empty()) << "nothing goes out before the teacher asks";
    // The button's text wraps; what it says, and what a screen reader
    // hears, is one line.
    ASSERT_EQ(window->view()->row(4)->commonsButton()->text().replace(QLatin1Char('\n'),
                                                                      QLatin1Char(' ')),
              QStringLiteral("Najít na Wikimedia Commons…"));
    EXPECT_EQ(window->view()->row(4)->commonsButton()->accessibleName(),
              QStringLiteral("Najít na Wikimedia Commons: Hereford"));
    CommonsDialog* dialog = openFor(4);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->breed(), 4);
    // A copy: the dialog goes once its photographs are in.
    const std::vector<CommonsCandidate> shown = dialog->shownCandidates();
    ASSERT_GE(shown.size(), 4U); // the category's three, and the search's besides
    for (const CommonsCandidate& candidate : shown) {
        EXPECT_FALSE(candidate.credit.author.isEmpty()) << candidate.title.toStdString();
        EXPECT_FALSE(candidate.credit.licence.isEmpty()) << candidate.title.toStdString();
    }
    EXPECT_EQ(dialog->candidateList()->count(), static_cast<int>(shown.size()));
    EXPECT_TRUE(dialog->candidateList()->item(0)->text().contains(shown.front().credit.author));
    EXPECT_FALSE(dialog->addButton()->isEnabled()) << "nothing is ticked yet";

    dialog->choose(0);
    dialog->choose(2);
    EXPECT_TRUE(dialog->addButton()->isEnabled());
    const PhotoCredit first = shown.at(0).credit;
    const PhotoCredit third = shown.at(2).credit;
    QPointer<CommonsDialog> alive(dialog);
    ASSERT_TRUE(addChosen(dialog));
    EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull() || !alive->isVisible(); }, 5000))
        << "the dialog closes once all are in";
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QLatin1Char('\n')).toStdString();

    EXPECT_EQ(window->view()->row(4)->photoCount(), 2);
    EXPECT_EQ(creditOf(window->view()->photoSet(), setFile(0, 4)).value_or(PhotoCredit{}), first);
    EXPECT_EQ(creditOf(window->view()->photoSet(), setFile(1, 4)).value_or(PhotoCredit{}), third);
    EXPECT_TRUE(
        window->view()->statusLabel()->text().contains(QStringLiteral("Wikimedia Commons")));
    for (const fake::RecordedRequest& request : commons.requests()) {
        EXPECT_TRUE(request.userAgent.startsWith("Tarvelo/")) << request.userAgent.toStdString();
        EXPECT_FALSE(request.overlapped) << request.path.toStdString();
    }

    // Asked again, the breed's list comes from what this window found.
    const int asked = apiRequests();
    CommonsDialog* again = openFor(4);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->shownCandidates().size(), shown.size());
    EXPECT_EQ(apiRequests(), asked);
    again->reject();
}

// "Zrušit" while photographs come: the one being stored finishes, no more
// are fetched, and what is in has its credit; the dialog stays for the
// teacher to decide.
TEST_F(CommonsDialogTest, ZrusitStopsAfterThePhotographBeingStored) {
    open();
    CommonsDialog* dialog = openFor(0);
    ASSERT_NE(dialog, nullptr);
    ASSERT_GE(dialog->shownCandidates().size(), 5U);
    for (int n = 0; n < 5; ++n) {
        dialog->choose(n);
    }
    QSignalSpy finished(dialog, &CommonsDialog::addingFinished);
    dialog->addButton()->click();
    ASSERT_TRUE(dialog->busy());
    EXPECT_EQ(dialog->cancelButton()->text(), QStringLiteral("Zrušit"));
    QTest::keyClick(dialog, Qt::Key_Escape); // as "Zrušit" does while adding
    EXPECT_TRUE(dialog->isVisible()) << "Escape does not leave photographs half added";
    ASSERT_TRUE(finished.wait(30000));
    const int added = finished.front().at(1).toInt();
    EXPECT_LT(added, 5);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->statusLabel()->text().startsWith(QStringLiteral("Zrušeno.")));
    EXPECT_EQ(dialog->cancelButton()->text(), QStringLiteral("Zavřít"));
    EXPECT_EQ(window->view()->photoSet().photoCount(0), added);
    EXPECT_EQ(static_cast<int>(creditsOf(window->view()->photoSet()).size()), added);
    dialog->cancelButton()->click();
    EXPECT_FALSE(dialog->isVisible());
}

// The teacher's own words: Enter in the search line searches (and never
// adds what is ticked); a breed's row can take only as many as it has room
// for.
TEST_F(CommonsDialogTest, ATypedSearchReplacesTheCandidatesAndTheRoomLeftIsRespected) {
    open();
    CommonsDialog* dialog = openFor(4);
    ASSERT_NE(dialog, nullptr);
    dialog->choose(0);
    QSignalSpy shown(dialog, &CommonsDialog::candidatesShown);
    dialog->searchEdit()->setFocus();
    QTest::keyClicks(dialog->searchEdit(), QStringLiteral("Salers cattle"));
    QTest::keyClick(dialog->searchEdit(), Qt::Key_Return);
    ASSERT_TRUE(shown.wait(20000));
    EXPECT_EQ(window->view()->photoSet().photoCount(4), 0) << "Enter added the ticked photograph";
    ASSERT_FALSE(dialog->shownCandidates().empty());
    for (const CommonsCandidate& candidate : dialog->shownCandidates()) {
        EXPECT_TRUE(candidate.title.startsWith(QStringLiteral("File:Salers")))
            << candidate.title.toStdString();
    }
    EXPECT_FALSE(dialog->addButton()->isEnabled()) << "the old ticks went with the old list";

    // Room for one more only: two ticked cannot go in.
    PhotoSet set = window->view()->photoSet();
    for (int n = 0; n < maxPhotosPerBreed - 1; ++n) {
        ASSERT_TRUE(set.addPhoto(4, QString::fromStdString(dir / "kresby") + "/0.jpg").ok);
    }
    dialog->choose(0);
    dialog->choose(1);
    EXPECT_FALSE(dialog->addButton()->isEnabled());
    EXPECT_TRUE(dialog->statusLabel()->text().contains(QStringLiteral("místo")));
    dialog->choose(1, false);
    EXPECT_TRUE(dialog->addButton()->isEnabled());
    dialog->reject();
}

// What a hostile server sends is shown as it is written: an author with
// markup in a tooltip is text, files whose titles no real page can have are
// left out and counted, and a server that always has more is followed only
// so far, which the dialog says.
TEST_F(CommonsDialogTest, AHostileServersTextIsShownAsWrittenAndEndlessListsStop) {
    open();
    CommonsDialog* dialog = openFor(16);
    ASSERT_NE(dialog, nullptr);
    const std::vector<CommonsCandidate> jerseys = dialog->shownCandidates();
    ASSERT_EQ(dialog->candidateList()->count(), static_cast<int>(jerseys.size()));
    bool evilSeen = false;
    for (int n = 0; n < dialog->candidateList()->count(); ++n) {
        const QString tip = dialog->candidateList()->item(n)->toolTip();
        QTextDocument rendered;
        rendered.setHtml(tip);
        const QString title = jerseys.at(static_cast<std::size_t>(n)).title;
        EXPECT_TRUE(Qt::mightBeRichText(tip)) << tip.toStdString();
        EXPECT_TRUE(rendered.toPlainText().startsWith(title)) << tip.toStdString();
        if (title == QLatin1String("File:Jersey evil.jpg")) {
            evilSeen = true;
            EXPECT_TRUE(rendered.toPlainText().contains(QStringLiteral("<script>")))
                << tip.toStdString();
        }
    }
    EXPECT_TRUE(evilSeen);

    commons.faults().endlessContinue = true;
    QSignalSpy shown(dialog, &CommonsDialog::candidatesShown);
    dialog->searchEdit()->setFocus();
    QTest::keyClicks(dialog->searchEdit(), QStringLiteral("Hostile"));
    QTest::keyClick(dialog->searchEdit(), Qt::Key_Return);
    ASSERT_TRUE(shown.wait(20000));
    EXPECT_EQ(dialog->shownCandidates().size(), 3u);
    const QString status = dialog->statusLabel()->text();
    EXPECT_TRUE(status.contains(QStringLiteral("Dalších 11 jsem vynechal")))
        << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("víc souborů, než program načetl")))
        << status.toStdString();
    dialog->reject();
}

// "Doplnit z Wikimedia Commons…": every breed with fewer photographs than
// asked, one after another; "Přeskočit plemeno" goes on, adding goes on by
// itself; a set that has enough gets a sentence and no dialog.
TEST_F(CommonsDialogTest, FillingStepsThroughEveryBreedShortOfPhotographs) {
    open();
    CommonsDialog* dialog = window->fillFromCommons(1);
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(shownDialog(), dialog);
    EXPECT_EQ(dialog->breed(), 0);
    EXPECT_TRUE(dialog->skipButton()->isVisible());
    QSignalSpy shown(dialog, &CommonsDialog::candidatesShown);
    dialog->skipButton()->click();
    ASSERT_TRUE(shown.wait(20000));
    EXPECT_EQ(dialog->breed(), 1); // Salers, found by the search alone
    ASSERT_FALSE(dialog->shownCandidates().empty());
    dialog->choose(0);
    ASSERT_TRUE(addChosen(dialog));
    EXPECT_EQ(dialog->breed(), 2) << "after adding, the next breed comes";
    EXPECT_EQ(window->view()->photoSet().photoCount(1), 1);
    ASSERT_TRUE(creditOf(window->view()->photoSet(), setFile(0, 1)).has_value());
    dialog->reject();

    EXPECT_EQ(window->fillFromCommons(0), nullptr);
    EXPECT_TRUE(
        window->view()->statusLabel()->text().startsWith(QStringLiteral("Každé plemeno už má")));
}

// Offline, or a server that fails: the dialog says so in Czech and nothing
// in the set changes.
TEST_F(CommonsDialogTest, WithoutAConnectionTheDialogSaysSoAndNothingChanges) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close(); // nobody answers there now
    pointAt(QStringLiteral("http://127.0.0.1:%1/w/api.php").arg(port));
    open();
    CommonsDialog* dialog = openFor(4);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->shownCandidates().empty());
    EXPECT_FALSE(dialog->statusLabel()->text().isEmpty());
    EXPECT_FALSE(dialog->statusLabel()->text().startsWith(QStringLiteral("Hledám")))
        << dialog->statusLabel()->text().toStdString();
    EXPECT_FALSE(dialog->addButton()->isEnabled());
    dialog->reject();
    EXPECT_EQ(window->view()->photoSet().photoCount(4), 0);

    // An address that is not HTTPS, away from this computer, is refused
    // before anything is sent.
    pointAt(QStringLiteral("http://commons.example.org/w/api.php"));
    open();
    window->view()->row(4)->commonsButton()->click();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !boxes.isEmpty(); }, 5000));
    EXPECT_EQ(qobject_cast<CommonsDialog*>(QApplication::activeModalWidget()), nullptr);
}

} // namespace
} // namespace tarvelo::testing
