// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportCommand.h"

#include "BreedCatalogue.h"
#include "PhotoSet.h"
#include "PictureSets.h"
#include "Utf8Path.h"

#include <QDir>
#include <cstdio>

namespace tarvelo {

namespace {
// The result goes to standard output, where a script takes it; usage and
// refusals go to standard error.
void print(const QString& text, std::FILE* stream) {
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stream);
}
void say(const QString& text) {
    print(text, stderr);
}
} // namespace

int runImportCommand(const QStringList& arguments, const QString& programFolder, bool classSet) {
    // arguments: the program, --import, INDEX, FILE and perhaps DIR.
    bool number = false;
    const int index = arguments.value(2).toInt(&number);
    if (arguments.size() < 4 || arguments.size() > 5 || !number || index < 0 ||
        index >= breedCount) {
        say(QStringLiteral(
            "usage: tarvelo-photos --import INDEX FILE [DIR | --class-set]   (INDEX 0 "
            "to 18)"));
        return 2;
    }
    if (classSet && arguments.size() == 5) {
        say(QStringLiteral("tarvelo-photos: --class-set and DIR name two sets; give one"));
        return 2;
    }
    const EditedSet edited = editedSet(pictureSetPlaces(pathFromUtf8(programFolder.toStdString())),
                                       pathFromUtf8(arguments.value(4).toStdString()), classSet);
    if (edited.problem) {
        say(QString::fromStdString(*edited.problem));
        return 1;
    }
    const QString photo = arguments.at(3);
    PhotoSet set = PhotoSet::inFolders(edited.folder, edited.drawings);

    QString problem;
    if (!set.ensureComplete(&problem)) {
        say(problem);
        return 1;
    }
    const ImportResult result = set.choose(index, photo);
    if (!result.ok) {
        say(result.message);
        return 1;
    }
    print(QStringLiteral("%1 (%2): %3 x %4, %5 bytes")
              .arg(QDir::toNativeSeparators(set.picturePath(index)),
                   QString::fromUtf8(answerName(index)))
              .arg(result.storedSize.width())
              .arg(result.storedSize.height())
              .arg(result.storedBytes),
          stdout);
    return 0;
}

} // namespace tarvelo
