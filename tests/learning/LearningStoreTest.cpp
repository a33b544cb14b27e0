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

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <mutex>
#include <random>
#include <set>
#include <string>
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

// A folder of the test's own, with a Czech name, removed at the end.
class LearningStoreTest : public ::testing::Test {
protected:
    fs::path folder;
    fs::path file;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder =
            fs::temp_directory_path() / pathFromUtf8(std::string("tarvelo-učení-") + info->name() +
                                                     "-" + std::to_string(std::random_device{}()));
        fs::remove_all(folder);
        file = folder / "data" / "tarvelo" / "learning.txt";
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path() const { return utf8FromPath(file); }

    std::vector<std::string> namesBeside() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(file.parent_path())) {
            names.push_back(utf8FromPath(entry.path().filename()));
        }
        std::sort(names.begin(), names.end());
        return names;
    }
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
    enum class Found { Nothing, Sound, Bytes, Folder, Link };
    struct Case {
        const char* name;
        Found found;
        std::string bytes;
        bool setAside;
    };
    const std::string sound = learningText(someMemory());
    const std::vector<Case> cases{
        {"nothing there", Found::Nothing, {}, false},
        {"a sound file", Found::Sound, sound, false},
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
        switch (c.found) {
        case Found::Nothing:
            break;
        case Found::Sound:
        case Found::Bytes:
            writeAll(file, c.bytes);
            break;
        case Found::Folder:
            fs::create_directories(file / "inside");
            break;
        case Found::Link:
            writeAll(folder / "elsewhere.txt", c.bytes);
            fs::create_symlink(folder / "elsewhere.txt", file);
            break;
        }

        const LoadedLearning loaded = loadLearning(path(), [] { return "20261210-170502"; });
        EXPECT_EQ(loaded.memory, c.found == Found::Sound ? someMemory() : LearningMemory{});
        EXPECT_EQ(loaded.notice.empty(), !c.setAside) << loaded.notice;
        if (!c.setAside) {
            EXPECT_EQ(loaded.setAsidePath, "");
            continue;
        }
        fs::path aside = file;
        aside += ".damaged-20261210-170502";
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
        const LoadedLearning again = loadLearning(path(), [] { return "20261210-170502"; });
        EXPECT_EQ(again.setAsidePath, utf8FromPath(aside) + "-2");
        EXPECT_EQ(readAll(pathFromUtf8(again.setAsidePath)), "damaged again");
    }
}

TEST_F(LearningStoreTest, SavesAllOrNothingMakingItsFolder) {
    LearningStore store(path(), [] { return "x"; });
    EXPECT_EQ(store.takeNotice(), "");
    EXPECT_EQ(store.save(someMemory()), std::nullopt);
    EXPECT_EQ(readAll(file), learningText(someMemory()));
    EXPECT_EQ(namesBeside(), std::vector<std::string>{"learning.txt"}) << "no temporary file left";

    // A file where the folder should be: the save fails, in Czech, and the
    // practice's memory stays in the store for the next try.
    const std::string blocked = utf8FromPath(folder / "plain-file" / "tarvelo" / "learning.txt");
    writeAll(folder / "plain-file", "not a folder");
    LearningStore blockedStore(blocked, [] { return "x"; });
    const auto failure = blockedStore.save(someMemory());
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("nelze vytvořit"), std::string::npos) << *failure;
    EXPECT_EQ(blockedStore.memory(), someMemory());
    EXPECT_EQ(readAll(folder / "plain-file"), "not a folder");

    // No data folder at all: memory for this run only, said once.
    LearningStore nowhere("", [] { return "x"; });
    EXPECT_NE(nowhere.takeNotice(), "");
    EXPECT_EQ(nowhere.takeNotice(), "");
    EXPECT_EQ(nowhere.save(someMemory()), std::nullopt);
}

// The memory across days through its file: every answer saved at once, a
// damaged file kept aside while practice goes on, tomorrow's practice
// starting with the breeds due.
TEST_F(LearningStoreTest, PracticeKeepsItsMemoryAcrossDaysAndDamage) {
    const std::set<std::string> setFiles{photoPath(0, 0)};
    const PhotoLookup lookup = [&](const std::string& p) { return setFiles.count(p) > 0; };
    struct Day {
        int day;
        bool damageFirst;
        std::vector<int> wrong;
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
        LearningStore store(path(), [] { return "20261210-170502"; });
        EXPECT_EQ(store.takeNotice().empty(), !d.damageFirst);
        if (d.damageFirst) {
            fs::path aside = file;
            aside += ".damaged-20261210-170502";
            EXPECT_TRUE(fs::exists(aside));
        }

        PlainView view;
        PlainPracticeView items;
        Quiz quiz(
            view.bind(), [&] { return seed++; }, lookup);
        quiz.prepareFirstQuestion();
        const LocalDate today = day0.plusDays(d.day);
        Practice practice(
            view.bind(), items.bind(), quiz, store.memory(),
            [&](const LearningMemory& memory) { return store.save(memory); },
            [today] { return today; }, [&] { return seed++; }, lookup);
        practice.start();
        std::vector<int> asked;
        std::set<int> missed;
        while (practice.running() && asked.size() < 100) {
            const auto& shown = view.Image1.shown.back();
            const int breed = std::stoi(shown.substr(shown.find_last_of("/\\") + 1));
            asked.push_back(breed);
            const bool wrong = std::count(d.wrong.begin(), d.wrong.end(), breed) > 0 &&
                               missed.insert(breed).second;
            view.ComboBox1.setText(wrong ? std::string() : std::string(answerName(breed)));
            practice.pressAnswerButton();
            // A kill now loses nothing: the file holds this answer already.
            const ParsedLearning onDisk = parseLearningText(readAll(file));
            ASSERT_TRUE(onDisk.memory);
            EXPECT_EQ(*onDisk.memory, practice.memory());
            if (wrong) {
                practice.pressAnswerButton();
            }
        }
        ASSERT_FALSE(practice.running());
        const std::vector<int> first(
            asked.begin(), asked.begin() + static_cast<std::ptrdiff_t>(d.dueFirst.size()));
        EXPECT_EQ(first, d.dueFirst);
    }
}

// A write the test holds until it lets it go, recording what was written.
class HeldWrite {
public:
    std::optional<std::string> operator()(const LearningMemory& memory) {
        std::unique_lock lock(mutex_);
        ++started_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return released_; });
        written_.push_back(memory.review(0).level);
        if (failures_ > 0) {
            --failures_;
            return "na disku není místo.";
        }
        return std::nullopt;
    }
    void waitForStart(int count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return started_ >= count; });
    }
    void release() {
        const std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }
    void failNext(int count) {
        const std::lock_guard lock(mutex_);
        failures_ = count;
    }
    std::vector<int> written() {
        const std::lock_guard lock(mutex_);
        return written_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int started_ = 0;
    bool released_ = false;
    int failures_ = 0;
    std::vector<int> written_;
};

// A memory told apart by breed 0's level.
LearningMemory memoryOfLevel(int level) {
    LearningMemory memory;
    memory.setReview(0, BreedReview{level, day0});
    return memory;
}

TEST(BackgroundSaverTest, WritesTheNewestAndTellsAFailureOnce) {
    HeldWrite held;
    {
        BackgroundSaver saver([&](const LearningMemory& memory) { return held(memory); });
        EXPECT_EQ(saver.save(memoryOfLevel(1)), std::nullopt);
        held.waitForStart(1);
        // Handed over while 1 is being written: only the newest follows it.
        saver.save(memoryOfLevel(2));
        saver.save(memoryOfLevel(3));
        held.failNext(2);
        held.release();
        EXPECT_EQ(saver.flush(), "na disku není místo.");
        EXPECT_EQ(saver.flush(), std::nullopt) << "told once";
        EXPECT_EQ(held.written(), (std::vector<int>{1, 3}));
        saver.save(memoryOfLevel(4)); // written before the saver ends
    }
    EXPECT_EQ(held.written(), (std::vector<int>{1, 3, 4}));
}

} // namespace
