// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Several photographs added to a breed one after another on the worker's
// own thread: counted as they go, told in order at the end, one at a time.
#include "ImportWorker.h"

#include "BreedCatalogue.h"
#include "JpegFixtures.h"
#include "TempDir.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace tarvelo::testing {
namespace {

class ImportWorkerTest : public ::testing::Test {
protected:
    ImportWorkerTest() {
        std::filesystem::create_directory(dir.path() / "kresby");
        for (int i = 0; i < breedCount; ++i) {
            fixtures::writeFile(dir.path() / "kresby" / (std::to_string(i) + ".jpg"),
                                fixtures::makeJpeg({}));
        }
        EXPECT_TRUE(set.ensureComplete());
    }
    QString path(const std::string& name) const { return QString::fromStdString(dir / name); }
    QString photo(const std::string& name, int width, int height) {
        fixtures::writeFile(
            dir.path() / name,
            fixtures::makeJpeg(
                {.width = width, .height = height, .pattern = fixtures::Pattern::Photo}));
        return path(name);
    }

    fixtures::TempDir dir;
    PhotoSet set{path("sada"), path("kresby")};
};

TEST_F(ImportWorkerTest, FilesAreAddedInOrderAndCountedFromTheSecond) {
    const QString a = photo("a.jpg", 1200, 900);
    const QString b = photo("b.jpg", 900, 1200);
    const QString missing = path("chybí.jpg");
    const struct {
        const char* what;
        QStringList files;
        std::vector<bool> ok;
        std::vector<int> counted;
    } cases[] = {
        {"one", {a}, {true}, {}},
        {"three", {a, b, a}, {true, true, true}, {2, 3}},
        {"one missing", {b, missing}, {true, false}, {2}},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ImportWorker worker;
        QSignalSpy progress(&worker, &ImportWorker::progress);
        std::vector<ImportResult> results;
        QObject::connect(
            &worker, &ImportWorker::finished,
            [&](int breed, const QStringList& files, const std::vector<ImportResult>& told) {
                EXPECT_EQ(breed, index);
                EXPECT_EQ(files, c.files);
                results = told;
            });
        worker.start(set, index, c.files);
        EXPECT_TRUE(worker.running());
        // One at a time: another import while this one runs is not started.
        worker.start(set, index + 1, {a});
        ASSERT_TRUE(QTest::qWaitFor([&worker] { return !worker.running(); }, 20000));
        ASSERT_EQ(results.size(), c.ok.size());
        for (std::size_t i = 0; i < results.size(); ++i) {
            EXPECT_EQ(results[i].ok, c.ok[i]) << i;
            EXPECT_EQ(results[i].message.isEmpty(), c.ok[i]) << i;
        }
        std::vector<int> counted;
        for (const QList<QVariant>& told : progress) {
            EXPECT_EQ(told.at(1).toInt(), c.files.size());
            counted.push_back(told.at(0).toInt());
        }
        EXPECT_EQ(counted, c.counted);
        const auto stored = std::count(c.ok.begin(), c.ok.end(), true);
        EXPECT_EQ(set.photoCount(index), stored);
        EXPECT_EQ(set.photoCount(index + 1), 0);
        ++index;
    }
}

// Waited for, as when the window goes, the import ends whole and tells nothing.
TEST_F(ImportWorkerTest, WaitedForTheImportEndsWholeAndIsNotTold) {
    ImportWorker worker;
    QSignalSpy finished(&worker, &ImportWorker::finished);
    worker.start(set, 4, {photo("a.jpg", 2400, 1800), photo("b.jpg", 2400, 1800)});
    worker.wait();
    EXPECT_FALSE(worker.running());
    EXPECT_EQ(set.photoCount(4), 2);
    QTest::qWait(50);
    EXPECT_TRUE(finished.isEmpty());
}

} // namespace
} // namespace tarvelo::testing
