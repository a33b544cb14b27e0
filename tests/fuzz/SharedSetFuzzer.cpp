// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary bytes as a shared set's file (NAME.tarvelo),
// taken the way a double click takes it: read, then unpacked into a fresh
// set. Whatever the bytes, the file is either refused with a message or gives
// a whole set the quiz shows, and nothing is written outside that set.
#include "BreedCatalogue.h"
#include "ForeignText.h"
#include "PhotoSet.h"
#include "SetCredits.h"
#include "SharedSet.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                  QDir::System);
}

// Where the file goes and the set is unpacked: a folder of this process's
// own, in memory where the system has /dev/shm. The temporary files of the
// unpacking go into its tmp, so that one left behind is seen.
class Workspace {
public:
    Workspace()
        : folder_(QDir(QStringLiteral("/dev/shm")).exists()
                      ? QStringLiteral("/dev/shm/tarvelo-set-fuzz-XXXXXX")
                      : QDir::tempPath() + QStringLiteral("/tarvelo-set-fuzz-XXXXXX")) {
        check(folder_.isValid());
        check(QDir(folder_.path()).mkdir(QStringLiteral("tmp")));
        check(QDir(folder_.path()).mkdir(QStringLiteral("runtime")));
        check(QFile::setPermissions(folder_.filePath(QStringLiteral("runtime")),
                                    QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner));
        qputenv("TMPDIR", QFile::encodeName(temporary()));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder_.filePath(QStringLiteral("runtime"))));
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
        // Damaged pictures are the point; Qt's readers' complaints are noise.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio=false\n"
                                                        "qt.gui.icc=false"));
    }

    QString file() const { return folder_.filePath(QStringLiteral("Sdílená sada.tarvelo")); }
    QString setRoot() const { return folder_.filePath(QStringLiteral("sada")); }
    QString temporary() const { return folder_.filePath(QStringLiteral("tmp")); }
    // Anything but the file, the set and the two folders for the system.
    bool holdsOthers() const {
        const QStringList expected{QStringLiteral("Sdílená sada.tarvelo"),
                                   QStringLiteral("runtime"), QStringLiteral("sada"),
                                   QStringLiteral("tmp")};
        for (const QString& entry : entriesOf(folder_.path())) {
            if (!expected.contains(entry)) {
                return true;
            }
        }
        return !entriesOf(temporary()).isEmpty();
    }

private:
    QTemporaryDir folder_;
};

// tarvelo-photos runs in a GUI application; so does the import here.
struct Environment {
    Workspace workspace;
    int argc = 1;
    char name[16] = "set_fuzzer";
    char* argv[2] = {name, nullptr};
    QGuiApplication application{argc, argv};
};

// What a double click does with the file: read it, and when it is a set,
// unpack it into target. The one place that calls the shared set's reading.
std::optional<QString> openSharedSetFile(const QString& file, tarvelo::PhotoSet& target) {
    const tarvelo::UnpackedSharedSet unpacked = tarvelo::unpackSharedSet(file, target);
    if (unpacked.info) {
        return std::nullopt;
    }
    check(!unpacked.message.isEmpty() && !unpacked.cancelled);
    return unpacked.message;
}

// Only obr/K/N.jpg and the credits file may be in the set, and each breed's
// first picture is there and shows in the quiz, as every photograph does.
// Credits are bounded plain text with https links only.
void checkUnpackedSet(const tarvelo::PhotoSet& set) {
    // Anchored at the very end: "$" would let a name end in a line feed.
    static const QRegularExpression layout(
        QRegularExpression::anchoredPattern(QStringLiteral(R"(obr/[0-9]/(1[0-8]|[0-9])\.jpg)")));
    QDirIterator it(set.root(), QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    const QDir root(set.root());
    while (it.hasNext()) {
        const QString name = root.relativeFilePath(it.next());
        check(layout.match(name).hasMatch() ||
              name == QLatin1String(tarvelo::setCreditsFile.data(),
                                    static_cast<qsizetype>(tarvelo::setCreditsFile.size())));
    }
    for (const tarvelo::CreditedPhoto& credited : tarvelo::creditsOf(set)) {
        const tarvelo::PhotoCredit& credit = credited.credit;
        check(credit.author.size() <= 200 && credit.licence.size() <= 60);
        check(credit.author == tarvelo::plainText(credit.author, {.characters = 200, .lines = 1}));
        for (const QString& link : {credit.licenceUrl, credit.page, credit.shortPage}) {
            check(link.isEmpty() || link.startsWith(QLatin1String("https://")));
        }
    }
    for (int index = 0; index < tarvelo::breedCount; ++index) {
        // A drawing, copied from the program's own, is known to show.
        check(set.isDrawing(index) || !set.problem(index).has_value());
        for (const QString& photo : set.photos(index)) {
            check(!set.problemOf(photo).has_value());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Environment environment;
    const Workspace& workspace = environment.workspace;
    {
        QFile file(workspace.file());
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        check(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
              static_cast<qint64>(size));
    }
    tarvelo::PhotoSet target(workspace.setRoot(), QStringLiteral(TARVELO_SOURCE_DRAWINGS));
    const std::optional<QString> problem = openSharedSetFile(workspace.file(), target);
    if (!problem) {
        checkUnpackedSet(target);
    } else {
        check(!problem->isEmpty());
    }
    // No temporary file left, nothing written beside the set.
    check(!workspace.holdsOthers());
    check(QDir(workspace.setRoot()).removeRecursively());
    return 0;
}
