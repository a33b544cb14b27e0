// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Several photographs added to a breed one after another on the worker's
// own thread, one import at a time.
#include "ImportWorker.h"

#include "BreedCatalogue.h"
#include "JpegFixtures.h"
#include "TempDir.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

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

// One import at a time; waited for, as when the window goes, it ends whole
// and tells nothing. (Order, counting and refusals: the window's tests.)
TEST_F(ImportWorkerTest, WaitedForTheImportEndsWholeAndIsNotTold) {
    ImportWorker worker;
    QSignalSpy finished(&worker, &ImportWorker::finished);
    worker.start(set, 4, {photo("a.jpg", 2400, 1800), photo("b.jpg", 2400, 1800)});
    EXPECT_TRUE(worker.running());
    worker.start(set, 5, {photo("c.jpg", 800, 600)});
    worker.wait();
    EXPECT_EQ(set.photoCount(5), 0);
    EXPECT_FALSE(worker.running());
    EXPECT_EQ(set.photoCount(4), 2);
    QTest::qWait(50);
    EXPECT_TRUE(finished.isEmpty());
}

} // namespace
} // namespace tarvelo::testing
