// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A shared set unpacked off the window's thread: the window goes on while a
// large one unpacks, and whatever ends the opening half way ("Zrušit",
// Escape, the window closed or gone, another set opened) leaves no window on
// a half-unpacked set and no temporary folder behind.
#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "JpegFixtures.h"
#include "PhotosWindow.h"
#include "SetArchive.h"
#include "SharedSetWindow.h"
#include "TempDir.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace tarvelo::testing {
namespace {

QByteArray bytesOf(const fixtures::Bytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

QProgressDialog* visibleProgress() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QProgressDialog*>(top);
        if (box != nullptr && box->isVisible()) {
            return box;
        }
    }
    return nullptr;
}

QList<SharedSetWindow*> sharedWindows() {
    QList<SharedSetWindow*> found;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* shared = qobject_cast<SharedSetWindow*>(top)) {
            found << shared;
        }
    }
    return found;
}

// The editor's window on a set of drawings, the system's temporary folder
// one of the test's own so that the unpacking's folder can be watched, and
// any message box recorded and closed.
class SharedSetOpeningTest : public ::testing::Test {
protected:
    SharedSetOpeningTest() {
        std::filesystem::create_directories(dir.path() / "kresby");
        std::filesystem::create_directories(dir.path() / "tmp");
        for (int i = 0; i < breedCount; ++i) {
            fixtures::writeFile(dir.path() / "kresby" / (std::to_string(i) + ".jpg"),
                                fixtures::makeJpeg({.width = 200, .height = 150}));
        }
        for (const char* name : temporaryVariables) {
            saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
            qputenv(name, path("tmp").toLocal8Bit());
        }
        boxCloser_.setInterval(5);
        QObject::connect(&boxCloser_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes << box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        boxCloser_.start();
        window = std::make_unique<PhotosWindow>(PhotoSet(path("sada"), path("kresby")));
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    ~SharedSetOpeningTest() override {
        window.reset();
        for (const auto& [name, value, set] : saved_) {
            if (set) {
                qputenv(name, value);
            } else {
                qunsetenv(name);
            }
        }
    }

    QString path(const std::string& name) const { return QString::fromStdString(dir / name); }

    // A set file of photographs as the archive lists them, under name.
    QString writeSet(const std::string& name, const QString& setName, const QByteArray& photo,
                     int photographs) {
        std::vector<ArchiveEntry> entries{
            {QStringLiteral("tarvelo-set.json"),
             QStringLiteral(R"({"format": 1, "name": "%1"})").arg(setName).toUtf8()}};
        for (int i = 0; i < photographs; ++i) {
            const int index = i % breedCount;
            const int number = i / breedCount;
            entries.push_back({QStringLiteral("obr/%1/%2.jpg").arg(number).arg(index), photo});
        }
        const auto archive = writeSetArchive(entries);
        EXPECT_TRUE(archive.has_value());
        QFile out(path(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(archive.value_or(QByteArray()));
        return path(name);
    }
    // Every photograph larger than the quiz draws it and progressive, so
    // each goes through the import: seconds for the whole set, on any
    // machine, against the box's 400 ms.
    QString largeSet() {
        return writeSet("velká.tarvelo", QStringLiteral("Velká"),
                        bytesOf(fixtures::makeJpeg({.width = 2400,
                                                    .height = 1800,
                                                    .pattern = fixtures::Pattern::Photo,
                                                    .progressive = true})),
                        largeCount);
    }
    QString smallSet() {
        return writeSet("malá.tarvelo", QStringLiteral("Malá"),
                        bytesOf(fixtures::makeJpeg(
                            {.width = 400, .height = 300, .pattern = fixtures::Pattern::Photo})),
                        2);
    }

    // The temporary folders of the unpackings.
    QStringList unpackingFolders() const {
        return QDir(path("tmp"))
            .entryList({QStringLiteral("tarvelo-photos-*")}, QDir::Dirs | QDir::Hidden);
    }

    // Waits until the box counts a photograph unpacked; false if it never did.
    static bool underWay() {
        return QTest::qWaitFor(
            [] {
                const QProgressDialog* box = visibleProgress();
                return box != nullptr && box->value() >= 1;
            },
            20000);
    }

    static constexpr int largeCount = 60;
    fixtures::TempDir dir;
    std::unique_ptr<PhotosWindow> window;
    QStringList boxes;

private:
    static constexpr const char* temporaryVariables[] = {"TMPDIR", "TMP", "TEMP"};
    struct Saved {
        const char* name;
        QByteArray value;
        bool set;
    };
    std::vector<Saved> saved_;
    QTimer boxCloser_;
};

// The window's events are handled while the set unpacks: openSharedSet
// returns before the first photograph is in, timers fire, the box counts
// the photographs, and the window still answers.
TEST_F(SharedSetOpeningTest, TheWindowGoesOnWhileALargeSetUnpacks) {
    const QString file = largeSet();
    int ticks = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start();
    QSignalSpy ended(window.get(), &PhotosWindow::sharedSetOpened);
    window->openSharedSet(file);
    EXPECT_TRUE(window->openingSharedSet());
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_TRUE(sharedWindows().isEmpty());
    EXPECT_EQ(unpackingFolders().size(), 1);

    ASSERT_TRUE(underWay());
    EXPECT_GT(ticks, 0);
    QProgressDialog* box = visibleProgress();
    EXPECT_TRUE(box->labelText().startsWith(QStringLiteral("Otevírám sdílenou sadu… ")))
        << box->labelText().toStdString();
    EXPECT_TRUE(box->labelText().endsWith(QStringLiteral(" z %1").arg(largeCount)))
        << box->labelText().toStdString();
    EXPECT_TRUE(window->openingSharedSet());
    // The window still repaints and answers its own widgets' events.
    const int before = ticks;
    window->statusLabel()->setText(QStringLiteral("…"));
    QTest::qWait(50);
    EXPECT_GT(ticks, before);

    box->cancel();
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(ended.front().front().value<SharedSetWindow*>(), nullptr);
    EXPECT_FALSE(window->openingSharedSet());
}

// Whatever ends an opening half way, no window comes up on what was
// unpacked so far, its temporary folder goes and no box stays; another set
// opened meanwhile opens instead.
TEST_F(SharedSetOpeningTest, AnOpeningEndedHalfWayLeavesNoWindowAndNoFolder) {
    struct Ending {
        const char* name;
        std::function<void()> act;
        bool windowStays;
        const char* status; // null: another set opens instead
    };
    const Ending endings[] = {
        {"Zrušit",
         [] {
             for (QPushButton* button : visibleProgress()->findChildren<QPushButton*>()) {
                 if (button->text() == QStringLiteral("Zrušit")) {
                     button->click();
                 }
             }
         },
         true, "Otevírání sady bylo zrušeno."},
        {"Escape", [] { QTest::keyClick(visibleProgress(), Qt::Key_Escape); }, true,
         "Otevírání sady bylo zrušeno."},
        {"the window closed", [this] { window->close(); }, true, "Otevírání sady bylo zrušeno."},
        {"the window gone", [this] { window.reset(); }, false, nullptr},
        {"another set opened", [this] { window->openSharedSet(smallSet()); }, true, nullptr},
    };
    const QString file = largeSet();
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.name);
        if (!window) {
            window = std::make_unique<PhotosWindow>(PhotoSet(path("sada"), path("kresby")));
        }
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QSignalSpy ended(window.get(), &PhotosWindow::sharedSetOpened);
        window->openSharedSet(file);
        const QStringList folders = unpackingFolders();
        ASSERT_EQ(folders.size(), 1);
        ASSERT_TRUE(underWay());

        ending.act();
        if (ending.windowStays) {
            ASSERT_TRUE(ended.wait(20000));
            ASSERT_EQ(ended.size(), 1);
            SharedSetWindow* opened = ended.front().front().value<SharedSetWindow*>();
            if (ending.status != nullptr) {
                EXPECT_EQ(opened, nullptr);
                EXPECT_EQ(window->statusLabel()->text(), QString::fromUtf8(ending.status));
            } else {
                ASSERT_NE(opened, nullptr);
                EXPECT_TRUE(opened->windowTitle().startsWith(QStringLiteral("Malá")))
                    << opened->windowTitle().toStdString();
                opened->close();
            }
            EXPECT_FALSE(window->openingSharedSet());
        }
        // What the large set left goes with its opening.
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return !QDir(path("tmp")).exists(folders.front()); }, 20000));
        EXPECT_TRUE(QTest::qWaitFor([] { return sharedWindows().isEmpty(); }, 20000));
        EXPECT_TRUE(QTest::qWaitFor([this] { return unpackingFolders().isEmpty(); }, 20000))
            << unpackingFolders().join(' ').toStdString();
        EXPECT_EQ(visibleProgress(), nullptr);
        EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
        EXPECT_FALSE(QDir(path("sada")).exists(QStringLiteral("obr/1")));
    }
}

} // namespace
} // namespace tarvelo::testing
