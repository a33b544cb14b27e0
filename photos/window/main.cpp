// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-photos [DIR | --class-set]: the window in which a teacher puts
// photographs into a picture set, by default the one the quiz's menu entry
// plays; --class-set starts on the machine's set for every account.
// tarvelo-photos --import INDEX FILE [DIR | --class-set]: the same for one
// photograph, without a window.
#include "Accessibility.h"
#include "ImportCommand.h"
#include "PhotoSet.h"
#include "PhotosAccessibility.h"
#include "PhotosApplication.h"
#include "PhotosWindow.h"
#include "SetPlace.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <cstring>

namespace {
// Takes --class-set out of the arguments; true when it was there.
bool takeClassSetOption(QStringList& arguments) {
    return arguments.removeAll(QStringLiteral("--class-set")) > 0;
}
} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--import") == 0) {
        QCoreApplication application(argc, argv);
        QStringList arguments = QCoreApplication::arguments();
        const bool classSet = takeClassSetOption(arguments);
        return tarvelo::runImportCommand(arguments, QCoreApplication::applicationDirPath(),
                                         classSet);
    }

    tarvelo::PhotosApplication application(argc, argv);
    tarvelo::installAccessibleRoles(); // the preview is heard as a picture, as in the quiz
    tarvelo::installPhotoRowRoles();
    QStringList arguments = QCoreApplication::arguments();
    const bool classSet = takeClassSetOption(arguments);
    if (arguments.size() > 2 || arguments.value(1).startsWith(QLatin1Char('-')) ||
        (classSet && arguments.size() > 1)) {
        QMessageBox::critical(
            nullptr, tarvelo::photosTitle(),
            QStringLiteral("Použití: tarvelo-photos [SLOŽKA | --class-set]\n"
                           "tarvelo-photos --import ČÍSLO SOUBOR [SLOŽKA | --class-set]"));
        return 2;
    }
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (classSet) {
        if (const auto refusal = tarvelo::classSetRefusal(tarvelo::classSetPlace(programFolder).root)) {
            QMessageBox::warning(nullptr, tarvelo::photosTitle(), *refusal);
            return 1;
        }
    }
    const tarvelo::SetPlace place = classSet ? tarvelo::classSetPlace(programFolder)
                                             : tarvelo::setPlace(arguments.value(1), programFolder);
    tarvelo::PhotosWindow window(tarvelo::PhotoSet(place.root, place.drawingsDir));
    // The choice between one's own set and the class set, where the window
    // edits one of the two (not a folder named on the command line or a zip's).
    const tarvelo::SetPlace own = tarvelo::setPlace(QString(), programFolder);
    if (arguments.size() == 1 && !own.unzipped) {
        const tarvelo::SetPlace forAll = tarvelo::classSetPlace(programFolder);
        window.offerClassSet(tarvelo::PhotoSet(own.root, own.drawingsDir),
                             tarvelo::PhotoSet(forAll.root, forAll.drawingsDir), classSet);
    }
    window.show();
    return application.exec();
}
