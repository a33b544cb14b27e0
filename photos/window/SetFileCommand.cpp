// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetFileCommand.h"

#include "BreedPhotos.h"
#include "CommandOutput.h"
#include "PhotoSet.h"
#include "PictureSets.h"
#include "SharedSet.h"
#include "Utf8Path.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace tarvelo {

namespace {

int exportSet(const EditedSet& edited, const QString& file) {
    // Reading is allowed where changing is not (someone else's class set).
    if (edited.folder.empty() || !holdsPictureSet(edited.folder)) {
        say(edited.problem ? QString::fromStdString(*edited.problem)
                           : QStringLiteral("Ve složce „%1“ není žádná sada.")
                                 .arg(QString::fromStdString(utf8FromPath(edited.folder))));
        return 1;
    }
    const PhotoSet set = PhotoSet::inFolders(edited.folder, edited.drawings);
    const SharedSetInfo info{.name = QFileInfo(file).completeBaseName(), .note = {}};
    if (const auto problem = saveSharedSet(set, info, file)) {
        say(*problem);
        return 1;
    }
    printResult(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()));
    return 0;
}

int importSet(const EditedSet& edited, const QString& file) {
    if (edited.problem) {
        say(QString::fromStdString(*edited.problem));
        return 1;
    }
    const SharedSetRead read = readSharedSet(file);
    if (!read.set) {
        say(read.message);
        return 1;
    }
    // Everything is unpacked and checked apart from the set first; the set
    // changes only once the whole file has proved good.
    QTemporaryDir unpacked;
    if (!unpacked.isValid()) {
        say(QStringLiteral("Nelze vytvořit dočasnou složku pro rozbalení sady."));
        return 1;
    }
    PhotoSet staged =
        PhotoSet::inFolders(pathFromUtf8(unpacked.path().toStdString()), edited.drawings);
    if (const auto problem = unpackSharedSet(*read.set, staged)) {
        say(*problem);
        return 1;
    }
    PhotoSet set = PhotoSet::inFolders(edited.folder, edited.drawings);
    if (const auto failed = replaceSetPictures(set, staged)) {
        say(*failed);
        return 1;
    }
    int photographs = 0;
    for (const auto& photos : read.set->photos) {
        photographs += static_cast<int>(photos.size());
    }
    printResult(QStringLiteral("%1: %2 (%3 fotografií)")
                    .arg(QDir::toNativeSeparators(set.root()),
                         read.set->info.name.isEmpty() ? QFileInfo(file).completeBaseName()
                                                       : read.set->info.name)
                    .arg(photographs));
    return 0;
}

} // namespace

int runSetFileCommand(const QStringList& arguments, const QString& programFolder, bool classSet) {
    // arguments: the program, --export or --import-set, FILE and perhaps DIR.
    const QString option = arguments.value(1);
    if (arguments.size() < 3 || arguments.size() > 4 || arguments.at(2).isEmpty()) {
        say(QStringLiteral("usage: tarvelo-photos %1 FILE [DIR | --class-set]").arg(option));
        return 2;
    }
    const std::optional<EditedSet> edited = commandSet(arguments, 3, programFolder, classSet);
    if (!edited) {
        return 2;
    }
    const QString file = arguments.at(2);
    return option == QLatin1String("--export") ? exportSet(*edited, file)
                                               : importSet(*edited, file);
}

} // namespace tarvelo
