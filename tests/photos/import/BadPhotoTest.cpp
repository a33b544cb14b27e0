// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoFixtures.h"
#include "PhotoImport.h"
#include "PhotoSet.h"
#include "SetArchive.h"
#include "TempDir.h"

#include <QColorSpace>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <random>
#ifndef _WIN32
#include <atomic>
#include <chrono>
#include <cstdio> // renameat2
#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#endif

namespace tarvelo::fixtures {
namespace {

// Every file under root with its bytes, to compare a set before and after.
std::map<QString, Bytes> snapshot(const QString& root) {
    std::map<QString, Bytes> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[path] = readBytes(path);
    }
    return files;
}

Bytes cutAt(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes asBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// What a teacher may pick by mistake, or what a broken card leaves behind.
// None of it may change a single byte of the set, and each is explained in
// Czech with the file's name.
TEST(BadPhotoTest, EachBadFileIsExplainedAndLeavesTheSetByteIdentical) {
    TempDir dir;
    const QString root = QString::fromStdString(dir / "sada");
    PhotoSet set(root, QStringLiteral(TARVELO_SOURCE_DRAWINGS));
    const Bytes photo = makeJpeg({.width = 1600, .height = 1200, .pattern = Pattern::Photo});
    writeFile(dir.path() / "good.jpg", photo);
    ASSERT_TRUE(set.choose(4, QString::fromStdString(dir / "good.jpg")).ok);

    Bytes huge = makeJpeg({.width = 64, .height = 48});
    patchFrameSize(huge, 60000, 60000); // 3.6 gigapixels announced in a tiny file
    QImage png(600, 400, QImage::Format_RGB32);
    png.fill(Qt::darkGreen);
    ASSERT_TRUE(png.save(QString::fromStdString(dir / "full.png"), "PNG"));
    const Bytes pngBytes = readBytes(QString::fromStdString(dir / "full.png"));
    Bytes badHeader = photo;
    badHeader[findMarker(badHeader, 0xC0) + 9] = 7; // seven components in the frame
    // 196 megapixels in full colour resolution, progressive: more
    // coefficients than the library may hold, though within the pixel limit.
    Bytes hungry = makeJpeg({.width = 64, .height = 48, .progressive = true});
    patchFrameSize(hungry, 14000, 14000);
    hungry[findMarker(hungry, 0xC2) + 11] = 0x11; // luma sampled as chroma: 4:4:4
    Bytes heic = asBytes(std::string("\0\0\0\x18"
                                     "ftypheic\0\0\0\0mif1heic",
                                     24));

    struct Case {
        std::string name;
        Bytes bytes;
        const char* reason;
    };
    const std::vector<Case> cases{
        {"prázdná.jpg", {}, "prázdný"},
        {"poznámky.jpg", asBytes("Krávy na pastvě, 3. B\n"), "není to obrázek"},
        {"useknutá.jpg", cutAt(photo, photo.size() / 2), "neúplný"},
        {"jen hlavička.jpg", cutAt(photo, findMarker(photo, 0xDA) + 4), "nelze přečíst"},
        {"vadná.jpg", badHeader, "poškozený"},
        {"obří.jpg", huge, "příliš velký"},
        {"hladová.jpg", hungry, "nedostatek paměti"},
        {"useknutá.png", cutAt(pngBytes, pngBytes.size() / 2), "nelze přečíst"},
        {"telefon.heic", heic, "HEIC"},
        // Thousands of repeated scans would hold the window for minutes.
        {"z webu.jpg",
         withScans(makeJpeg({.width = 400, .height = 300, .progressive = true}), 5000),
         "víc než 100 průchodů"},
    };
    const auto before = snapshot(root);
    ASSERT_EQ(before.size(), 19u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir.path() / pathFromUtf8(c.name), c.bytes);
        const ImportResult result = set.choose(4, QString::fromStdString(dir / c.name));
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.message.contains(QString::fromStdString(c.name)))
            << result.message.toStdString();
        EXPECT_TRUE(result.message.contains(QString::fromUtf8(c.reason)))
            << result.message.toStdString();
        EXPECT_EQ(snapshot(root), before); // nothing changed, nothing half written left
    }

    const ImportResult missing = set.choose(4, QString::fromStdString(dir / "není tu.jpg"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.message, QStringLiteral("Soubor „není tu.jpg“ nelze přečíst: soubor "
                                              "neexistuje."));
    EXPECT_FALSE(set.choose(4, QString::fromStdString(utf8FromPath(dir.path()))).ok); // a folder
    EXPECT_FALSE(set.choose(19, QString::fromStdString(dir / "good.jpg")).ok);
    EXPECT_FALSE(set.choose(-1, QString::fromStdString(dir / "good.jpg")).ok);
    EXPECT_EQ(snapshot(root), before);

    // Where the copy cannot be written (here obr/0 is a file, not a folder),
    // the message names the place, in Czech.
    writeFile(dir.path() / pathFromUtf8("jiná"), {});
    const QString blocked = QString::fromStdString(dir / "jiná/4.jpg");
    const ImportResult unwritten = importPhoto(QString::fromStdString(dir / "good.jpg"), blocked);
    EXPECT_FALSE(unwritten.ok);
    EXPECT_TRUE(unwritten.message.startsWith(QStringLiteral("Obrázek nelze uložit jako „")))
        << unwritten.message.toStdString();
    EXPECT_TRUE(unwritten.message.contains(QDir::toNativeSeparators(blocked)));
}

#ifndef _WIN32
// Picked by mistake among the photographs: a FIFO, whose opening would wait
// for a writer, and a sparse terabyte. Each is refused at once, in Czech, and
// the set stays as it was.
TEST(BadPhotoTest, APipeOrASparseTerabyteIsRefusedAtOnce) {
    TempDir dir;
    PhotoSet set(QString::fromStdString(dir / "sada"), QStringLiteral(TARVELO_SOURCE_DRAWINGS));
    ASSERT_TRUE(set.ensureComplete());
    const auto before = snapshot(set.root());
    ASSERT_EQ(::mkfifo((dir / "roura.jpg").c_str(), 0644), 0);
    const ImportResult pipe = set.addPhoto(4, QString::fromStdString(dir / "roura.jpg"));
    EXPECT_FALSE(pipe.ok);
    EXPECT_EQ(pipe.message, QStringLiteral("Soubor „roura.jpg“ nelze přečíst: není to obyčejný "
                                           "soubor, ale roura, zařízení nebo soket."));
    writeFile(dir.path() / "obří.jpg", makeJpeg({}));
    std::filesystem::resize_file(dir.path() / pathFromUtf8("obří.jpg"), 1ULL << 40);
    const ImportResult sparse = set.choose(4, QString::fromStdString(dir / "obří.jpg"));
    EXPECT_FALSE(sparse.ok);
    EXPECT_TRUE(sparse.message.startsWith(
        QStringLiteral("Soubor „obří.jpg“ nelze přečíst: obrázek je příliš velký (")))
        << sparse.message.toStdString();
    EXPECT_EQ(snapshot(set.root()), before);
}
#endif

#ifndef _WIN32
// A pipe put in the place of the file a reader was given, before its open or
// between any look and the open: each reader refuses it at once or reads the
// file, never waiting for a writer. Should one wait, the pipe is opened for
// writing, which lets it go, so that the test fails rather than hangs.
TEST(BadPhotoTest, APipeSwappedInForTheFileIsNeverWaitedOn) {
    const Bytes photo = makeJpeg({.width = 320, .height = 240});
    const auto archive = writeSetArchive(
        {{QStringLiteral("tarvelo-set.json"), QByteArray(R"({"format": 1})")},
         {QStringLiteral("obr/0/4.jpg"), QByteArray(reinterpret_cast<const char*>(photo.data()),
                                                    static_cast<qsizetype>(photo.size()))}});
    ASSERT_TRUE(archive.has_value());
    TempDir dir;
    const std::string path = dir / "soubor";
    const std::string other = dir / "jiný";
    // Whether the file was read; refused, it must have been for being a pipe.
    const std::function<bool()> readers[] = {
        [&] {
            const ImportResult result =
                importPhoto(QString::fromStdString(path), QString::fromStdString(dir / "cíl.jpg"));
            EXPECT_TRUE(result.ok || result.message.contains(QStringLiteral("roura")));
            return result.ok;
        },
        [&] {
            const SetArchiveReader reader(QString::fromStdString(path), [](auto&) { return true; });
            EXPECT_EQ(reader.refusal().value_or(QStringLiteral("soubor nejde přečíst")),
                      QStringLiteral("soubor nejde přečíst"));
            return !reader.refusal();
        },
    };
    const Bytes files[] = {photo, Bytes(archive->begin(), archive->end())};
    const auto exchange = [&] {
        return ::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, other.c_str(), RENAME_EXCHANGE) == 0;
    };
    for (std::size_t r = 0; r < std::size(readers); ++r) {
        SCOPED_TRACE(r == 0 ? "the import" : "a shared set's archive");
        std::filesystem::remove(path);
        std::filesystem::remove(pathFromUtf8(other));
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
        writeFile(pathFromUtf8(other), files[r]);
        if (!exchange() || !exchange()) {
            GTEST_SKIP() << "this file system swaps no names in one step";
        }
        std::atomic<int> fileRead{0};
        std::atomic<int> pipeRefused{0};
        // Until each way was seen, however long a busy machine keeps the
        // swapper waiting: ten seconds at most.
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        auto reads = std::async(std::launch::async, [&] {
            for (int i = 0; i < 500 || ((fileRead == 0 || pipeRefused < 2) &&
                                        std::chrono::steady_clock::now() < until);
                 ++i) {
                (readers[r]() ? fileRead : pipeRefused)++;
            }
        });
        std::jthread swapper([&](const std::stop_token& stop) {
            while (!stop.stop_requested()) {
                exchange();
            }
        });
        EXPECT_EQ(reads.wait_for(std::chrono::seconds(30)), std::future_status::ready);
        while (reads.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
            for (const std::string& name : {path, other}) {
                ::close(::open(name.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
            }
        }
        EXPECT_GE(pipeRefused, 2);
        EXPECT_GE(fileRead, 1);
    }
}
#endif

// Bytes changed at random in a phone-like JPEG (Exif and ICC markers
// included) and in a PNG: each import either stores a copy the quiz shows or
// says why not, and leaves the target alone then; none crashes.
TEST(BadPhotoTest, RandomDamageIsEitherImportedOrExplained) {
    TempDir dir;
    const QString target = QString::fromStdString(dir / "cíl.jpg");
    const Bytes before = makeJpeg({.width = 40, .height = 30});
    writeFile(pathFromUtf8(target.toStdString()), before);
    QImage png(120, 90, QImage::Format_RGB32);
    png.fill(Qt::darkRed);
    ASSERT_TRUE(png.save(QString::fromStdString(dir / "p.png"), "PNG"));
    const std::vector<Bytes> originals{
        withIccProfile(withExifOrientation(
                           makeJpeg({.width = 320, .height = 240, .pattern = Pattern::Photo}), 6),
                       QColorSpace(QColorSpace::DisplayP3).iccProfile()),
        makeJpeg({.width = 320, .height = 240, .progressive = true}),
        readBytes(QString::fromStdString(dir / "p.png")),
    };
    std::mt19937 random(18);
    int imported = 0;
    int refused = 0;
    for (int round = 0; round < 300; ++round) {
        Bytes bytes = originals[static_cast<std::size_t>(round) % originals.size()];
        const int changes = 1 + round % 8;
        for (int i = 0; i < changes; ++i) {
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        }
        const std::string name = "poškozená-" + std::to_string(round) + ".jpg";
        writeFile(dir.path() / pathFromUtf8(name), bytes);
        const ImportResult result = importPhoto(QString::fromStdString(dir / name), target);
        if (result.ok) {
            ++imported;
            EXPECT_FALSE(quizPicture(target).decodeFailed()) << name;
            writeFile(pathFromUtf8(target.toStdString()), before);
        } else {
            ++refused;
            EXPECT_TRUE(result.message.contains(QString::fromStdString(name)))
                << result.message.toStdString();
            EXPECT_EQ(readBytes(target), before) << name;
        }
    }
    // Both outcomes occur, so both branches above were checked.
    EXPECT_GT(imported, 0);
    EXPECT_GT(refused, 0);
    EXPECT_EQ(QDir(QString::fromStdString(utf8FromPath(dir.path()))).entryList(QDir::Files).size(),
              300 + 2); // the sources, p.png and the target: no temporary left
}

} // namespace
} // namespace tarvelo::fixtures
