// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LearningStore.h"

#include "BackgroundSaver.h"
#include "BreedCatalogue.h"
#include "LearningText.h"
#include "PlainPracticeView.h"
#include "PlainView.h"
#include "Practice.h"
#include "Quiz.h"
#include "Utf8Path.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

using namespace tarvelo;
namespace fs = std::filesystem;

namespace {

constexpr LocalDate day0{20'000};

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeAll(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// What LocalClock's stamp would give: the time part of a set-aside name.
std::string stamp() {
    return "20261210-170502";
}

// A folder of the test's own, with a Czech name, removed at the end.
class LearningStoreTest : public ::testing::Test {
protected:
    fs::path folder;
    fs::path file;
    fs::path aside; // where a file that cannot be read goes, by stamp()

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder =
            fs::temp_directory_path() / pathFromUtf8(std::string("tarvelo-učení-") + info->name() +
                                                     "-" + std::to_string(std::random_device{}()));
        fs::remove_all(folder);
        file = folder / "data" / "tarvelo" / "learning.txt";
        aside = file;
        aside += ".damaged-20261210-170502";
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path() const { return utf8FromPath(file); }
};

LearningMemory someMemory() {
    LearningMemory memory;
    memory.recordReview(3, true, day0);
    memory.recordReview(7, false, day0);
    memory.recordConfusion(7, 8);
    return memory;
}

// What is found at the memory's place, and what becomes of it.
TEST_F(LearningStoreTest, ReadsSoundFilesAndSetsAsideEverythingElse) {
    enum class Found { Nothing, Bytes, Folder, Link };
    struct Case {
        const char* name;
        Found found;
        std::string bytes;
        bool setAside;
    };
    const std::string sound = learningText(someMemory());
    const std::vector<Case> cases{
        {"nothing there", Found::Nothing, {}, false},
        {"a sound file", Found::Bytes, sound, false},
        {"an empty file", Found::Bytes, "", true},
        {"cut short", Found::Bytes, sound.substr(0, sound.size() - 3), true},
        {"a later version", Found::Bytes, "tarvelo-learning 2\nbreed 1 1 2026-12-10\n", true},
        {"a picture", Found::Bytes, std::string("\xFF\xD8\xFF\xE0\0\x10JFIF", 10), true},
        {"oversized", Found::Bytes, sound + std::string(maxLearningTextBytes, '#'), true},
        {"a folder in its place", Found::Folder, {}, true},
#ifndef _WIN32
        {"a link in its place", Found::Link, sound, true},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folder);
        fs::create_directories(file.parent_path());
        if (c.found == Found::Bytes) {
            writeAll(file, c.bytes);
        } else if (c.found == Found::Folder) {
            fs::create_directories(file / "inside");
        } else if (c.found == Found::Link) {
            writeAll(folder / "elsewhere.txt", c.bytes);
            fs::create_symlink(folder / "elsewhere.txt", file);
        }

        const LoadedLearning loaded = loadLearning(path(), stamp);
        EXPECT_EQ(loaded.memory,
                  c.found == Found::Bytes && !c.setAside ? someMemory() : LearningMemory{});
        EXPECT_EQ(loaded.notice.empty(), !c.setAside) << loaded.notice;
        if (!c.setAside) {
            EXPECT_EQ(loaded.setAsidePath, "");
            continue;
        }
        EXPECT_EQ(loaded.setAsidePath, utf8FromPath(aside));
        EXPECT_NE(loaded.notice.find("learning.txt.damaged-20261210-170502"), std::string::npos);
        EXPECT_FALSE(fs::exists(fs::symlink_status(file)));
        if (c.found == Found::Bytes) {
            EXPECT_EQ(readAll(aside), c.bytes) << "kept as it was";
        }
        if (c.found == Found::Link) {
            EXPECT_TRUE(fs::is_symlink(aside));
            EXPECT_EQ(readAll(folder / "elsewhere.txt"), c.bytes) << "where it led, untouched";
        }
        // A second damaged file in the same second is set aside beside it.
        writeAll(file, "damaged again");
        const LoadedLearning again = loadLearning(path(), stamp);
        EXPECT_EQ(again.setAsidePath, utf8FromPath(aside) + "-2");
        EXPECT_EQ(readAll(pathFromUtf8(again.setAsidePath)), "damaged again");
    }
}

TEST_F(LearningStoreTest, SavesAllOrNothingMakingItsFolder) {
    LearningStore store(path(), stamp);
    EXPECT_EQ(store.takeNotice(), "");
    EXPECT_EQ(store.save(someMemory()), std::nullopt);
    EXPECT_EQ(readAll(file), learningText(someMemory()));
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), {}), 1)
        << "no temporary file left";

    // A file where the folder should be: the save fails, in Czech, and the
    // practice's memory stays in the store for the next try.
    const std::string blocked = utf8FromPath(folder / "plain-file" / "tarvelo" / "learning.txt");
    writeAll(folder / "plain-file", "not a folder");
    LearningStore blockedStore(blocked, stamp);
    const auto failure = blockedStore.save(someMemory());
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("nelze vytvořit"), std::string::npos) << *failure;
    EXPECT_EQ(blockedStore.memory(), someMemory());
    EXPECT_EQ(readAll(folder / "plain-file"), "not a folder");

    // No data folder at all: memory for this run only, said once.
    LearningStore nowhere("", stamp);
    EXPECT_NE(nowhere.takeNotice(), "");
    EXPECT_EQ(nowhere.takeNotice(), "");
    EXPECT_EQ(nowhere.save(someMemory()), std::nullopt);
}

// The memory across days through its file: every answer saved at once, a
// damaged file kept aside while practice goes on, tomorrow's practice
// starting with the breeds due.
TEST_F(LearningStoreTest, PracticeKeepsItsMemoryAcrossDaysAndDamage) {
    const PhotoLookup lookup = [](const std::string& p) { return p == photoPath(0, 0); };
    struct Day {
        int day;
        bool damageFirst;
        std::set<int> wrong;
        std::vector<int> dueFirst;
    };
    const std::vector<Day> days{
        {0, false, {4, 13}, {}}, {1, false, {4}, {}}, // all 19 due; 4 missed again
        {2, false, {}, {4}},                          // only 4 due
        {2, true, {}, {}},                            // the file damaged: afresh, nothing due
        {3, false, {}, {}},                           // everything practised yesterday is due
    };
    std::uint32_t seed = 1;
    for (const Day& d : days) {
        SCOPED_TRACE(testing::Message() << "day " << d.day);
        if (d.damageFirst) {
            writeAll(file, "tarvelo-learning 1\nbreed 4 9 2026-12-10\n");
        }
        LearningStore store(path(), stamp);
        EXPECT_EQ(store.takeNotice().empty(), !d.damageFirst);
        EXPECT_TRUE(!d.damageFirst || fs::exists(aside)) << "the damaged file kept aside";

        PlainView view;
        PlainPracticeView items;
        Quiz quiz{view.bind(), [&] { return seed++; }, lookup};
        quiz.prepareFirstQuestion();
        Practice practice(
            view.bind(), items.bind(), quiz, store.memory(),
            [&](const LearningMemory& memory) { return store.save(memory); },
            [&] { return day0.plusDays(d.day); }, [&] { return seed++; }, lookup);
        practice.start();
        std::vector<int> asked;
        std::set<int> missed;
        while (practice.running() && asked.size() < 100) {
            const auto& shown = view.Image1.shown.back();
            const int breed = std::stoi(shown.substr(shown.find_last_of("/\\") + 1));
            asked.push_back(breed);
            const bool wrong = d.wrong.count(breed) > 0 && missed.insert(breed).second;
            view.ComboBox1.setText(wrong ? std::string() : std::string(answerName(breed)));
            practice.pressAnswerButton();
            // A kill now loses nothing: the file holds this answer already.
            ASSERT_EQ(parseLearningText(readAll(file)).memory, practice.memory());
            if (wrong) {
                practice.pressAnswerButton();
            }
        }
        ASSERT_FALSE(practice.running());
        EXPECT_EQ(std::vector<int>(asked.begin(), asked.begin() + std::ssize(d.dueFirst)),
                  d.dueFirst);
    }
}

// The memory written on a thread of its own: of those handed over while one
// is written only the newest follows it, a failure is told once, and what is
// still waiting is written before the saver ends.
TEST(BackgroundSaverTest, WritesTheNewestAndTellsAFailureOnce) {
    // Each write records breed 0's level, which tells the memories apart; the
    // first two fail, and none ends while the test holds the gate.
    std::mutex gate;
    std::atomic<bool> started = false;
    int failures = 2;
    std::vector<int> written;
    const auto memoryOfLevel = [](int level) {
        LearningMemory memory;
        memory.setReview(0, BreedReview{level, day0});
        return memory;
    };
    std::unique_lock held(gate);
    {
        BackgroundSaver saver([&](const LearningMemory& memory) -> std::optional<std::string> {
            started = true;
            const std::lock_guard lock(gate);
            written.push_back(memory.review(0).level);
            if (failures-- > 0) {
                return "na disku není místo.";
            }
            return std::nullopt;
        });
        EXPECT_EQ(saver.save(memoryOfLevel(1)), std::nullopt);
        while (!started) {
            std::this_thread::yield();
        }
        // Handed over while 1 is being written: only the newest follows it.
        saver.save(memoryOfLevel(2));
        saver.save(memoryOfLevel(3));
        held.unlock();
        EXPECT_EQ(saver.flush(), "na disku není místo.");
        EXPECT_EQ(saver.flush(), std::nullopt) << "told once";
        EXPECT_EQ(written, (std::vector<int>{1, 3}));
        saver.save(memoryOfLevel(4)); // written before the saver ends
    }
    EXPECT_EQ(written, (std::vector<int>{1, 3, 4}));
}

} // namespace
