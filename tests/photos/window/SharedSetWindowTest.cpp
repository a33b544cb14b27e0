// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A shared set opened to look at: its unpacking, a damaged file, "Hrát", and
// its name and note shown as written.
#include "BreedPhotos.h"
#include "JpegFixtures.h"
#include "SetArchive.h"
#include "SharedSetContents.h"
#include "SharedSetFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tarvelo::testing {
namespace {

class SharedSetWindowTest : public SharedSetFixture {
protected:
    // A name and a note without end, and without a space to wrap at, in a
    // set of colleague's: its window no larger than an ordinary one.
    void expectEndlessTextKeepsTheSize(const PhotoSet& colleague, QSize ordinary) {
        const QString endless = path("dlouha.tarvelo");
        ASSERT_FALSE(saveSharedSet(
            colleague,
            {.name = QString(5000, QLatin1Char('W')),
             .note = QString(20000, QLatin1Char('W')) + QStringLiteral("\n").repeated(500)},
            endless));
        SharedSetWindow* shared = openShared(endless);
        ASSERT_NE(shared, nullptr);
        EXPECT_LE(shared->sizeHint().width(), ordinary.width());
        EXPECT_LE(shared->minimumSizeHint().width(), ordinary.width());
        // The note's fifteen lines at most, each of them a line or two.
        EXPECT_LE(shared->sizeHint().height(),
                  ordinary.height() + 30 * shared->noteLabel()->fontMetrics().lineSpacing());
        EXPECT_LE(shared->windowTitle().size(), 200);
    }
};

// A large set opens on a worker thread behind a progress box whose "Zrušit"
// stops it: no view, no box, the own set as it was.
TEST_F(SharedSetWindowTest, OpeningALargeSetShowsProgressAndZrusitStopsIt) {
    open();
    // Photographs larger than the quiz draws them are imported one by one;
    // progressive ones cost the most.
    const fixtures::Bytes jpeg = fixtures::makeJpeg(
        {.width = 2400, .height = 1800, .pattern = fixtures::Pattern::Photo, .progressive = true});
    const QByteArray photo(reinterpret_cast<const char*>(jpeg.data()),
                           static_cast<qsizetype>(jpeg.size()));
    std::vector<ArchiveEntry> entries{
        {QStringLiteral("tarvelo-set.json"), QByteArray(R"({"format": 1, "name": "Velká"})")}};
    for (int index = 0; index < breedCount; ++index) {
        for (int number = 0; number < maxPhotosPerBreed; ++number) {
            entries.push_back({QStringLiteral("obr/%1/%2.jpg").arg(number).arg(index), photo});
        }
    }
    const QString file = path("velká.tarvelo");
    const auto archive = writeSetArchive(entries);
    ASSERT_TRUE(archive.has_value());
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(*archive);
    out.close();

    QString shownText;
    QTimer canceller;
    canceller.setInterval(20);
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(top);
            if (progress != nullptr && progress->isVisible()) {
                shownText = progress->labelText();
                progress->cancel();
            }
        }
    });
    canceller.start();
    EXPECT_EQ(openShared(file), nullptr);
    canceller.stop();
    EXPECT_TRUE(shownText.startsWith(QStringLiteral("Otevírám sdílenou sadu…")))
        << shownText.toStdString();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(window->view()->statusLabel()->text(),
              QStringLiteral("Otevírání sady bylo zrušeno."));
    EXPECT_TRUE(ownSetUntouched());
}

// A damaged file is refused with the reason in a box; no view opens and the
// set stays as it was. What a double click passes counts as such a file.
TEST_F(SharedSetWindowTest, ADamagedSharedFileIsRefusedInABoxAndChangesNothing) {
    open();
    const QString damaged = written(path("rozbitá.tarvelo"), "PK\x03\x04 tohle není sada");
    QTimer answerer;
    answerer.setInterval(5);
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            files->selectFile(damaged);
            static_cast<QDialog*>(files)->accept();
        }
    });
    answerer.start();
    QSignalSpy ended(window.get(), &PhotosWindow::sharedSetOpened);
    window->openSetButton()->click();
    ASSERT_TRUE(ended.wait(30000));
    ASSERT_EQ(boxes.size(), 1u);
    const fixtures::SharedSetRead read = fixtures::readSharedSet(damaged);
    ASSERT_FALSE(read.set);
    EXPECT_EQ(boxes.back().text, read.message);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<SharedSetWindow*>(top), nullptr);
    }
    EXPECT_TRUE(ownSetUntouched());
    EXPECT_EQ(openShared(path("chybí.tarvelo")), nullptr);
    EXPECT_EQ(boxes.size(), 2u);

    EXPECT_TRUE(isSharedSetFile(damaged));
    QFile::copy(damaged, path("VELKÁ.TARVELO"));
    EXPECT_TRUE(isSharedSetFile(path("VELKÁ.TARVELO")));
    EXPECT_TRUE(isSharedSetFile(path("chybí.tarvelo"))); // told as missing, not made a set
    QDir().mkpath(path("složka.tarvelo"));
    EXPECT_FALSE(isSharedSetFile(path("složka.tarvelo")));
    EXPECT_FALSE(isSharedSetFile(root()));
    EXPECT_FALSE(isSharedSetFile(path("sada.zip")));
}

// "Hrát" starts the quiz in the unpacked folder and changes no set; closed
// while the quiz plays, the view keeps that folder until the quiz ends.
TEST_F(SharedSetWindowTest, HratPlaysTheUnpackedFolderWhichGoesOnlyOnceTheQuizEnded) {
    const QString file = shareColleaguesSet();
    open();
    QPointer<SharedSetWindow> shared = openShared(file);
    ASSERT_NE(shared, nullptr);
    const QString unpacked = shared->unpacked().root();
    shared->setQuizProgram(QCoreApplication::applicationFilePath());
    // ASCII: the variable passes through the system code page on Windows.
    const QString report = path("kviz.txt");
    qputenv("TARVELO_STAND_IN_QUIZ", report.toUtf8());
    shared->playButton()->click();
    qunsetenv("TARVELO_STAND_IN_QUIZ");
    EXPECT_TRUE(shared->quizRunning());
    EXPECT_EQ(shared->view()->statusLabel()->text(), QStringLiteral("Kvíz spuštěn."));
    for (int wait = 0; wait < 400 && !QFile::exists(report); ++wait) {
        QTest::qWait(50);
    }
    const QStringList said = QString::fromUtf8(contents(report)).split(QLatin1Char('\n'));
    ASSERT_EQ(said.size(), 2) << said.join('|').toStdString();
    EXPECT_EQ(QFileInfo(said.at(0)).canonicalFilePath(), QFileInfo(unpacked).canonicalFilePath());
    EXPECT_EQ(said.at(1), QStringLiteral("obr"));

    shared->close();
    QTest::qWait(20);
    ASSERT_FALSE(shared.isNull()); // the quiz still plays from its folder
    EXPECT_FALSE(shared->isVisible());
    EXPECT_TRUE(QDir(unpacked).exists(QStringLiteral("obr/0/4.jpg")));

    QSignalSpy ended(shared.data(), &SharedSetWindow::quizFinished);
    QFile go(report + QStringLiteral(".go"));
    ASSERT_TRUE(go.open(QIODevice::WriteOnly));
    go.close();
    ASSERT_TRUE(ended.wait(20000));
    QTest::qWait(20);
    EXPECT_TRUE(shared.isNull());
    EXPECT_FALSE(QDir(unpacked).exists());
    EXPECT_TRUE(ownSetUntouched());
    EXPECT_TRUE(boxes.empty());
}

// Markup in a set's name and note is shown as written: not drawn red and
// 40 pixels high, no image it names read (/dev/zero would swell the window
// without end), no link live; the take-over question quotes the name as
// written too. Direction characters go, and a name or note that runs on
// leaves the window its size.
TEST_F(SharedSetWindowTest, MarkupInANameAndNoteIsShownAsWrittenAndNeverDrawn) {
    open();
    SharedSetWindow* shared = openShared(shareColleaguesSet());
    ASSERT_NE(shared, nullptr);
    const QSize ordinary = shared->sizeHint();
    shared->close();

    PhotoSet colleague(path("kolega"), path("kresby"));
    ASSERT_TRUE(colleague.ensureComplete());
    ASSERT_TRUE(colleague.addPhoto(4, writePhoto("h1.jpg", 800, 600)).ok);
    const QString name = QStringLiteral("<b style=\"color:red;font-size:40px\">X</b>");
    const QString note = QStringLiteral("<img src=\"/dev/zero\">\n"
                                        "<a href=\"https://example.invalid\">x</a>");
    const QString file = path("znacky.tarvelo");
    ASSERT_FALSE(saveSharedSet(
        colleague, {.name = name + QStringLiteral("\u202e\x1b[2J"), .note = note}, file));
    shared = openShared(file);
    ASSERT_NE(shared, nullptr);
    EXPECT_TRUE(boxes.empty());
    for (QLabel* label :
         {shared->nameLabel(), shared->noteLabel(), window->view()->statusLabel()}) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
    }
    const QString shownName = name + QStringLiteral("[2J");
    EXPECT_TRUE(shared->nameLabel()->text().startsWith(QStringLiteral("Sada „%1“").arg(shownName)))
        << shared->nameLabel()->text().toStdString();
    EXPECT_EQ(shared->noteLabel()->text(), note);
    EXPECT_TRUE(shared->windowTitle().startsWith(shownName + QStringLiteral(" (jen k prohlížení)")))
        << shared->windowTitle().toStdString();
    EXPECT_EQ(window->view()->statusLabel()->text(),
              QStringLiteral("Otevřena sada „%1“ jen k prohlížení.").arg(shownName));
    // As an ordinary set's window, a line of the note more.
    const QSize small = shared->sizeHint();
    EXPECT_LE(small.width(), ordinary.width());
    EXPECT_LE(small.height(), ordinary.height() + shared->noteLabel()->fontMetrics().lineSpacing());

    shared->useOwnButton()->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.back().format, Qt::PlainText);
    EXPECT_TRUE(boxes.back().text.startsWith(
        QStringLiteral("Fotografie ze sady „%1“ nahradí").arg(shownName)))
        << boxes.back().text.toStdString();
    EXPECT_TRUE(ownSetUntouched());
    shared->close();

    ASSERT_NO_FATAL_FAILURE(expectEndlessTextKeepsTheSize(colleague, ordinary));
}

} // namespace
} // namespace tarvelo::testing
