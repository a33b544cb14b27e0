// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening photographs with Windows' own files: backslash paths, the system's
// message texts, folders named in Czech, files someone is writing.
#include "BreedCatalogue.h"
#include "JpegFixtures.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "PictureFileTesting.h"
#include "RegularFile.h"
#include "Utf8Path.h"

#include <filesystem>
#include <windows.h>

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

// Makes `folder` the working directory until the object goes.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const fs::path& folder) : previous_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~WorkingDirectory() { fs::current_path(previous_); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    fs::path previous_;
};

TEST_F(PictureFile, PhotographsAreNamedWithBackslashesInACzechNamedFolder) {
    EXPECT_EQ(picturePath(0), "obr\\0\\0.jpg");
    EXPECT_EQ(picturePath(12), "obr\\0\\12.jpg");

    const fs::path game =
        dir.path() / pathFromUtf8("Učitel") / pathFromUtf8("Tarvelo hra žluťoučký");
    fs::create_directories(game / "obr" / "0");
    fixtures::writeFile(game / "obr" / "0" / "3.jpg", fixtures::makeJpeg({}));
    const WorkingDirectory inGame(game);

    EXPECT_EQ(loadPicture(picturePath(3)).width(), 64);
    // The message names the folder as it is, Czech letters and all.
    const std::string missing = messageOf<EFOpenError>([] { loadPicture(picturePath(4)); });
    EXPECT_EQ(missing, "Cannot open file \"" + utf8FromPath(game) + "\\obr\\0\\4.jpg\". " +
                           systemErrorText(ERROR_FILE_NOT_FOUND));
}

// A file is judged on the handle its open gave: a folder, a device and a
// missing file are told apart, and only a file on disk is read.
TEST_F(PictureFile, ARegularFileIsJudgedOnWhatWasOpened) {
    using Refusal = RegularFile::Refusal;
    fixtures::writeFile(dir / "photo.jpg", fixtures::makeJpeg({}));
    fs::create_directory(dir.path() / "folder.jpg");
    // A pipe with a server that never writes: reading it would wait for ever.
    const HANDLE server =
        CreateNamedPipeW(L"\\\\.\\pipe\\tarvelo-regular-file", PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE,
                         1, 0, 0, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    struct Case {
        std::string path;
        Refusal refusal;
    };
    const Case cases[] = {
        {dir / "photo.jpg", Refusal::None},
        {dir / "folder.jpg", Refusal::Folder},
        {dir / "missing.jpg", Refusal::Missing},
        {"NUL", Refusal::NotRegular},
        {"\\\\.\\pipe\\tarvelo-regular-file", Refusal::NotRegular},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        RegularFile file(c.path);
        EXPECT_EQ(file.refusal(), c.refusal);
        EXPECT_EQ(file.isOpen(), c.refusal == Refusal::None);
        if (file.isOpen()) {
            EXPECT_EQ(file.size(), fs::file_size(dir.path() / "photo.jpg"));
        }
    }
    CloseHandle(server);
}

TEST(SystemErrorText, IsTheSystemsOwnTextWithoutTrailingStopsOrLineEnds) {
    for (const int code : {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED,
                           ERROR_SHARING_VIOLATION}) {
        const std::string text = systemErrorText(code);
        ASSERT_FALSE(text.empty()) << code;
        EXPECT_NE(text.back(), '.') << text;
        EXPECT_NE(text.back(), ' ') << text;
        EXPECT_GE(static_cast<unsigned char>(text.back()), 0x20) << text;
    }
    // Windows' codes, not C library errno values of the same number.
    EXPECT_NE(systemErrorText(ERROR_FILE_NOT_FOUND), "No such file or directory");
    EXPECT_NE(systemErrorText(ERROR_SHARING_VIOLATION), systemErrorText(ERROR_ACCESS_DENIED));
}

TEST_F(PictureFile, OpenFailsWhileTheFileIsOpenForWritingButNotWhileItIsRead) {
    const std::string path = dir / "3.jpg";
    fixtures::writeFile(pathFromUtf8(path), fixtures::makeJpeg({}));
    const auto openWith = [&](DWORD access, DWORD share) {
        return CreateFileW(pathFromUtf8(path).c_str(), access, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    };

    const HANDLE reader = openWith(GENERIC_READ, FILE_SHARE_READ);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(loadPicture(path).width(), 64);
    CloseHandle(reader);

    // The sharing rules hold between handles, whichever process has them.
    const HANDLE writer = openWith(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(messageOf<EFOpenError>([&] { loadPicture(path); }),
              "Cannot open file \"" + path + "\". " + systemErrorText(ERROR_SHARING_VIOLATION));
    CloseHandle(writer);
    EXPECT_EQ(loadPicture(path).width(), 64);
}

} // namespace
} // namespace tarvelo
