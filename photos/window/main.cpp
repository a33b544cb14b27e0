// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-photos [DIR]: the window in which a teacher puts photographs into
// a picture set, by default the one the quiz's menu entry plays.
// tarvelo-photos --import INDEX FILE [DIR]: the same for one photograph,
// without a window.
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

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--import") == 0) {
        QCoreApplication application(argc, argv);
        return tarvelo::runImportCommand(QCoreApplication::arguments(),
                                         QCoreApplication::applicationDirPath());
    }

    tarvelo::PhotosApplication application(argc, argv);
    tarvelo::installAccessibleRoles(); // the preview is heard as a picture, as in the quiz
    tarvelo::installPhotoRowRoles();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 2 || arguments.value(1).startsWith(QLatin1Char('-'))) {
        QMessageBox::critical(nullptr, tarvelo::photosTitle(),
                              QStringLiteral("Použití: tarvelo-photos [SLOŽKA]\n"
                                             "tarvelo-photos --import ČÍSLO SOUBOR [SLOŽKA]"));
        return 2;
    }
    const tarvelo::SetPlace place =
        tarvelo::setPlace(arguments.value(1), QCoreApplication::applicationDirPath());
    tarvelo::PhotosWindow window(tarvelo::PhotoSet(place.root, place.drawingsDir));
    window.show();
    return application.exec();
}
