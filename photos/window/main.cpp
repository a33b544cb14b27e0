// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-photos [DIR | --class-set]: the window in which a teacher puts
// photographs into a picture set, by default the one the quiz's menu entry
// plays; --class-set starts on the machine's set for every account.
// tarvelo-photos FILE.tarvelo: a shared set, only to look at (what a double
// click on one runs); the editor opens once it is taken over.
// The commands without a window (--import, --paper-test, --export...) are in
// the table of CommandLine.h.
#include "Accessibility.h"
#include "CommandLine.h"
#include "MessageBoxes.h"
#include "PhotoSet.h"
#include "PhotosAccessibility.h"
#include "PhotosApplication.h"
#include "PhotosWindow.h"
#include "PictureBox.h"
#include "PictureSets.h"
#include "SetFolderRecovery.h"
#include "SharedSetWindow.h"
#include "TemporaryFolder.h"
#include "Utf8Path.h"

#include <QCoreApplication>
#include <cstdio>
#include <new>

namespace {

// The set the window edits, as the arguments name it, once what a killed run
// left there is mended; the class set too where it is offered.
tarvelo::EditedSet preparedSet(const tarvelo::PictureSetPlaces& places, const QString& argument,
                               bool classSet) {
    const bool sharedFile = tarvelo::isSharedSetFile(argument);
    tarvelo::EditedSet edited = tarvelo::editedSet(
        places, tarvelo::pathFromUtf8(sharedFile ? std::string() : argument.toStdString()),
        classSet);
    tarvelo::removeAbandonedTemporaryFolders();
    tarvelo::recoverEditedSet(edited);
    if (edited.offersClassSet) {
        tarvelo::recoverClassSetFolder(places.classSetHome);
    }
    return edited;
}

// The window on the set, or only the shared set's window when argument is a
// shared set's file.
int showWindow(const tarvelo::PictureSetPlaces& places, const tarvelo::EditedSet& edited,
               const QString& argument, bool classSet) {
    tarvelo::PhotosWindow window(tarvelo::PhotoSet::forEdited(edited));
    if (edited.offersClassSet) {
        window.offerClassSet(tarvelo::PhotoSet::inFolders(places.own, edited.drawings),
                             tarvelo::PhotoSet::inFolders(places.classSetHome, edited.drawings,
                                                          tarvelo::NewEntries::ReadableByAll),
                             classSet);
    }
    bool refused = false;
    if (!tarvelo::isSharedSetFile(argument)) {
        window.show();
    } else {
        // Asked to show only that file: refused or cancelled, after its box
        // there is nothing to show.
        QObject::connect(
            &window, &tarvelo::PhotosWindow::sharedSetOpened, &window,
            [&refused](tarvelo::SharedSetWindow* shared) {
                if (shared == nullptr) {
                    refused = true;
                    QCoreApplication::exit(1);
                }
            },
            Qt::SingleShotConnection);
        window.openSharedSet(argument);
    }
    const int code = QCoreApplication::exec();
    return refused ? 1 : code;
}

int windowMain(int argc, char** argv) {
    tarvelo::PhotosApplication application(argc, argv);
    tarvelo::installAccessibleRoles();
    tarvelo::installPictureBoxRole(); // the preview is heard as a picture, as in the quiz
    tarvelo::installPhotoRowRoles();
    QStringList arguments = QCoreApplication::arguments();
    const bool classSet = tarvelo::takeClassSetOption(arguments);
    if (arguments.size() > 2 || (classSet && arguments.size() > 1)) {
        tarvelo::showError(nullptr, tarvelo::commandUsage());
        return 2;
    }
    const tarvelo::PictureSetPlaces places = tarvelo::pictureSetPlaces(
        tarvelo::pathFromUtf8(QCoreApplication::applicationDirPath().toStdString()));
    const tarvelo::EditedSet edited = preparedSet(places, arguments.value(1), classSet);
    if (edited.problem) {
        tarvelo::showMessage(nullptr, QMessageBox::Warning,
                             QString::fromStdString(*edited.problem));
        return 1;
    }
    return showWindow(places, edited, arguments.value(1), classSet);
}

int run(int argc, char** argv) {
    const tarvelo::CommandForm& form = tarvelo::commandFor(argc, argv);
    if (form.run != nullptr) {
        return tarvelo::runCommand(form, argc, argv);
    }
    if (tarvelo::hasUnknownWindowOption(argc, argv)) {
        std::fputs((tarvelo::commandUsage() + QLatin1Char('\n')).toUtf8().constData(), stderr);
        return 2;
    }
    return windowMain(argc, argv);
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
