// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file all or nothing on POSIX systems: a folder that may not be
// written, a write the system stops part-way, permissions and links.
#include "AtomicFile.h"
#include "AtomicFileTesting.h"
#include "FilePermissions.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

// Files of this process may grow to at most limit bytes while it lives; a
// write past it fails with EFBIG instead of killing the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(AtomicFile, AWriteStoppedPartWayLeavesTheOldFile) {
    const std::string target = placeOld("4.jpg");
    std::optional<WriteError> error;
    {
        const FileSizeLimit limit(4096);
        error = writeFileAtomically(target, bytesOf(10'368, 'n'));
    }
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->step, WriteStep::Write);
    EXPECT_EQ(error->code, EFBIG);
    expectUntouched(target);
}

// The write as an ordinary user: root may write any folder, so it runs as
// nobody in a child process and sends back what happened.
std::optional<WriteError> writeAsNobody(const std::string& path, const fixtures::Bytes& bytes) {
    int channel[2];
    if (::pipe(channel) != 0) {
        ADD_FAILURE() << "no pipe";
        return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        WriteError result{WriteStep::Create, 0};
        if (::setgid(65534) == 0 && ::setuid(65534) == 0) {
            result = writeFileAtomically(path, bytes).value_or(result);
        } else {
            result.code = -1;
        }
        const bool sent = ::write(channel[1], &result, sizeof result) == sizeof result;
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    WriteError result{WriteStep::Create, 0};
    const bool received = ::read(channel[0], &result, sizeof result) == sizeof result;
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!received || result.code == -1) {
        ADD_FAILURE() << "the child could not become nobody";
    }
    return result.code == 0 ? std::nullopt : std::optional<WriteError>(result);
}

TEST_F(AtomicFile, AFolderThatMayNotBeWrittenIsRefusedAndTheOldFileStays) {
    const std::string target = placeOld("4.jpg");
    ::chmod(dir.path().c_str(), 0555);
    const auto error = ::geteuid() == 0 ? writeAsNobody(target, bytesOf(10, 'n'))
                                        : writeFileAtomically(target, bytesOf(10, 'n'));
    ::chmod(dir.path().c_str(), 0755);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->step, WriteStep::Create);
    EXPECT_TRUE(error->accessDenied());
    expectUntouched(target);
}

TEST_F(AtomicFile, TheReplacedFilesPermissionsCarryOverANewFileGetsTheUmasks) {
    const std::string shared = placeOld("shared.jpg");
    ::chmod(shared.c_str(), 0664);
    ASSERT_EQ(writeFileAtomically(shared, bytesOf(10, 'n')), std::nullopt);
    EXPECT_EQ(permissionsOf(shared), 0664u);

    const mode_t umask = ::umask(022);
    const auto error = writeFileAtomically(dir / "new.jpg", bytesOf(10, 'n'));
    ::umask(umask);
    ASSERT_EQ(error, std::nullopt);
    EXPECT_EQ(permissionsOf(dir / "new.jpg"), 0644u);
}

TEST_F(AtomicFile, ALinkInTheTargetsPlaceIsReplacedNotFollowed) {
    const std::string elsewhere = placeOld("elsewhere.jpg");
    fs::create_symlink(dir.path() / "elsewhere.jpg", dir.path() / "4.jpg");
    ASSERT_EQ(writeFileAtomically(dir / "4.jpg", bytesOf(10, 'n')), std::nullopt);
    EXPECT_FALSE(fs::is_symlink(dir.path() / "4.jpg"));
    EXPECT_EQ(readPictureFile(dir / "4.jpg"), bytesOf(10, 'n'));
    EXPECT_EQ(readPictureFile(elsewhere), old);
}

} // namespace
} // namespace tarvelo
