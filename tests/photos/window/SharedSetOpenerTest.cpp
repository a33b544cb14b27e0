// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A shared set unpacked off the window's thread: the window goes on while a
// large one unpacks, and whatever ends the opening half way leaves no window
// on a half-unpacked set and no temporary folder behind.
#include "BreedCatalogue.h"
#include "JpegFixtures.h"
#include "PhotosWindow.h"
#include "SetArchive.h"
#include "TempDir.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

namespace tarvelo::testing {
namespace {

QProgressDialog* visibleProgress() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QProgressDialog*>(top);
        if (box != nullptr && box->isVisible()) {
            return box;
        }
    }
    return nullptr;
}

// A set file of count copies of a photograph.
QString writeSet(const QString& file, const char* name, const fixtures::JpegRecipe& recipe,
                 int count) {
    const fixtures::Bytes jpeg = fixtures::makeJpeg(recipe);
    const QByteArray photo(reinterpret_cast<const char*>(jpeg.data()),
                           static_cast<qsizetype>(jpeg.size()));
    std::vector<ArchiveEntry> entries{
        {QStringLiteral("tarvelo-set.json"),
         QStringLiteral(R"({"format": 1, "name": "%1"})").arg(QString::fromUtf8(name)).toUtf8()}};
    for (int i = 0; i < count; ++i) {
        entries.push_back(
            {QStringLiteral("obr/%1/%2.jpg").arg(i / breedCount).arg(i % breedCount), photo});
    }
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly) &&
                out.write(writeSetArchive(entries).value_or(QByteArray())) > 0);
    return file;
}

// Puts the environment variable back as it was once the scope ends: one
// that was not set is unset again, since an empty one would leave the tests
// after it no temporary folder.
auto putBackLater(const char* name) {
    return qScopeGuard([name, was = qEnvironmentVariableIsSet(name), value = qgetenv(name)] {
        if (was) {
            qputenv(name, value);
        } else {
            qunsetenv(name);
        }
    });
}

// Whatever ends an opening half way ("Zrušit", Escape, the editor closed or
// gone, another set opened), no window comes up on what was unpacked so
// far, its temporary folder goes and no box stays. Until then the window's
// events go on: the call returned at once and the box counts photographs.
TEST(SharedSetOpenerTest, AnOpeningEndedHalfWayLeavesNoWindowAndNoFolder) {
    fixtures::TempDir dir;
    const auto path = [&dir](const std::string& name) {
        return QString::fromStdString(dir / name);
    };
    // The system's temporary folder is the test's, so that its folders can be watched.
    std::filesystem::create_directories(dir.path() / "tmp");
    const auto restoreTmpdir = putBackLater("TMPDIR");
    const auto restoreTmp = putBackLater("TMP");
    qputenv("TMPDIR", path("tmp").toLocal8Bit());
    qputenv("TMP", path("tmp").toLocal8Bit());
    const auto unpackingFolders = [&path] {
        return QDir(path("tmp")).entryList({QStringLiteral("tarvelo-photos-*")}, QDir::Dirs);
    };
    // Larger than the quiz draws them and progressive: each one imported,
    // seconds for the set on any machine, against the box's 400 ms.
    const QString large = writeSet(
        path("velká.tarvelo"), "Velká",
        {.width = 2400, .height = 1800, .pattern = fixtures::Pattern::Photo, .progressive = true},
        60);
    const QString small = writeSet(path("malá.tarvelo"), "Malá", {.width = 400, .height = 300}, 2);
    std::unique_ptr<PhotosWindow> window;
    // How the opening ends, and the set whose window comes up, if any.
    const std::tuple<const char*, std::function<void()>, const char*> endings[] = {
        {"Zrušit",
         [] {
             auto* button = visibleProgress()->findChild<QPushButton*>();
             ASSERT_EQ(button->text(), QStringLiteral("Zrušit"));
             button->click();
         },
         nullptr},
        {"Escape", [] { QTest::keyClick(visibleProgress(), Qt::Key_Escape); }, nullptr},
        {"the window closed", [&window] { window->close(); }, nullptr},
        {"another set opened", [&] { window->openSharedSet(small); }, "Malá"},
        {"the window gone", [&window] { window.reset(); }, nullptr}};
    for (const auto& [ending, act, shown] : endings) {
        SCOPED_TRACE(ending);
        window = std::make_unique<PhotosWindow>(
            PhotoSet(path("sada"), QStringLiteral(TARVELO_SOURCE_DRAWINGS)));
        window->show();
        QSignalSpy ended(window.get(), &PhotosWindow::sharedSetOpened);
        window->openSharedSet(large);
        EXPECT_TRUE(window->openingSharedSet());
        EXPECT_TRUE(ended.isEmpty());
        const QStringList folders = unpackingFolders();
        ASSERT_EQ(folders.size(), 1);
        ASSERT_TRUE(QTest::qWaitFor(
            [] { return visibleProgress() != nullptr && visibleProgress()->value() >= 1; }, 20000));
        EXPECT_EQ(
            visibleProgress()->labelText(),
            QStringLiteral("Otevírám sdílenou sadu… %1 z 60").arg(visibleProgress()->value()));

        act();
        if (window) {
            ASSERT_TRUE(ended.count() == 1 || ended.wait(20000));
            auto* opened = ended.front().front().value<SharedSetWindow*>();
            EXPECT_FALSE(window->openingSharedSet());
            if (shown == nullptr) {
                EXPECT_EQ(opened, nullptr);
                EXPECT_EQ(window->view()->statusLabel()->text(),
                          QStringLiteral("Otevírání sady bylo zrušeno."));
            } else {
                ASSERT_NE(opened, nullptr);
                EXPECT_TRUE(opened->windowTitle().startsWith(QString::fromUtf8(shown)));
                opened->close();
            }
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return unpackingFolders().isEmpty(); }, 20000))
            << folders.join(' ').toStdString();
        EXPECT_EQ(visibleProgress(), nullptr);
    }
}

} // namespace
} // namespace tarvelo::testing
