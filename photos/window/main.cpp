// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-photos [DIR | --class-set]: the window in which a teacher puts
// photographs into a picture set, by default the one the quiz's menu entry
// plays; --class-set starts on the machine's set for every account.
// tarvelo-photos FILE.tarvelo: a shared set, only to look at (what a double
// click on one runs); the editor opens once it is taken over.
// tarvelo-photos --import, --add or --remove INDEX ... [DIR | --class-set]:
// the same for one photograph, without a window (ImportCommand.h).
// tarvelo-photos --paper-test OUT.pdf [--beginner] [DIR | --class-set]: a
// written test of the set as a PDF, without a window.
// tarvelo-photos --export FILE or --import-set FILE [DIR | --class-set]: the
// set shared as one file, without a window (SetFileCommand.h).
#include "Accessibility.h"
#include "ImportCommand.h"
#include "MessageBoxes.h"
#include "PaperTestCommand.h"
#include "PhotoSet.h"
#include "PhotosAccessibility.h"
#include "PhotosApplication.h"
#include "PhotosWindow.h"
#include "PictureSets.h"
#include "SetFileCommand.h"
#include "SetFolderRecovery.h"
#include "SharedSetWindow.h"
#include "TemporaryFolder.h"
#include "Utf8Path.h"

#include <QCoreApplication>
#include <cstdio>
#include <new>

namespace {
// Takes --class-set out of the arguments; true when it was there.
bool takeClassSetOption(QStringList& arguments) {
    return arguments.removeAll(QStringLiteral("--class-set")) > 0;
}

// An option the window does not know, seen before any window or display is
// asked for: a script that misspelt one must not be left waiting on a box.
// The options are plain ASCII, so the bytes as given are enough to tell.
bool hasUnknownOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument.startsWith(QLatin1Char('-')) && !tarvelo::isWindowOption(argument)) {
            return true;
        }
    }
    return false;
}
} // namespace

namespace {
int run(int argc, char** argv) {
    if (argc > 1 && tarvelo::isSetCommand(QString::fromLocal8Bit(argv[1]))) {
        QCoreApplication application(argc, argv);
        QStringList arguments = QCoreApplication::arguments();
        const bool classSet = takeClassSetOption(arguments);
        return tarvelo::runSetCommand(arguments, QCoreApplication::applicationDirPath(), classSet);
    }
    if (argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--paper-test")) {
        return tarvelo::paperTestMain(argc, argv);
    }
    if (argc > 1 && (QString::fromLocal8Bit(argv[1]) == QLatin1String("--export") ||
                     QString::fromLocal8Bit(argv[1]) == QLatin1String("--import-set"))) {
        QCoreApplication application(argc, argv);
        QStringList arguments = QCoreApplication::arguments();
        const bool classSet = takeClassSetOption(arguments);
        return tarvelo::runSetFileCommand(arguments, QCoreApplication::applicationDirPath(),
                                          classSet);
    }
    if (hasUnknownOption(argc, argv)) {
        std::fputs((tarvelo::commandUsage() + QLatin1Char('\n')).toUtf8().constData(), stderr);
        return 2;
    }

    tarvelo::PhotosApplication application(argc, argv);
    tarvelo::installAccessibleRoles(); // the preview is heard as a picture, as in the quiz
    tarvelo::installPhotoRowRoles();
    QStringList arguments = QCoreApplication::arguments();
    const bool classSet = takeClassSetOption(arguments);
    if (arguments.size() > 2 || (classSet && arguments.size() > 1)) {
        tarvelo::showError(
            nullptr, QStringLiteral("Použití: tarvelo-photos [SLOŽKA | --class-set]\n"
                                    "tarvelo-photos SOUBOR.tarvelo\n"
                                    "tarvelo-photos --import ČÍSLO SOUBOR [SLOŽKA | --class-set]\n"
                                    "tarvelo-photos --add ČÍSLO SOUBOR [SLOŽKA | --class-set]\n"
                                    "tarvelo-photos --remove ČÍSLO POŘADÍ [SLOŽKA | --class-set]"));
        return 2;
    }
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    const tarvelo::PictureSetPlaces places =
        tarvelo::pictureSetPlaces(tarvelo::pathFromUtf8(programFolder));
    const QString argument = arguments.value(1);
    const bool sharedFile = tarvelo::isSharedSetFile(argument);
    const tarvelo::EditedSet edited = tarvelo::editedSet(
        places, tarvelo::pathFromUtf8(sharedFile ? std::string() : argument.toStdString()),
        classSet);
    tarvelo::removeAbandonedTemporaryFolders();
    tarvelo::recoverSetFolder(edited.folder);
    if (edited.offersClassSet) {
        tarvelo::recoverSetFolder(places.classSetHome);
    }
    if (edited.problem) {
        tarvelo::showMessage(nullptr, QMessageBox::Warning,
                             QString::fromStdString(*edited.problem));
        return 1;
    }
    tarvelo::PhotosWindow window(tarvelo::PhotoSet::forEdited(edited));
    if (edited.offersClassSet) {
        window.offerClassSet(tarvelo::PhotoSet::inFolders(places.own, edited.drawings),
                             tarvelo::PhotoSet::inFolders(places.classSetHome, edited.drawings,
                                                          tarvelo::NewEntries::ReadableByAll),
                             classSet);
    }
    if (!sharedFile) {
        window.show();
    } else if (window.openSharedSet(argument) == nullptr) {
        // Asked to show only that file: after its box there is nothing to show.
        return 1;
    }
    return application.exec();
}
} // namespace

int main(int argc, char** argv) {
    // An event handler's lack of memory is shown in the window's error box;
    // this is for the commands and for the window while it is being made.
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("tarvelo-photos: nedostatek paměti\n", stderr);
        return 1;
    }
}
