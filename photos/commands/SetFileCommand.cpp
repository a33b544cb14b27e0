// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetFileCommand.h"

#include "BreedPhotos.h"
#include "CommandLine.h"
#include "CommandOutput.h"
#include "CommandSet.h"
#include "CzechCounts.h"
#include "PhotoSet.h"
#include "PictureSets.h"
#include "SetFolderRecovery.h"
#include "SharedFileTakeOver.h"
#include "SharedSet.h"
#include "Utf8Path.h"

#include <QDir>
#include <QFileInfo>

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
    // The file is unpacked beside the set and checked whole; the set changes
    // only then, in one step, as when the window takes a set over.
    PhotoSet set = PhotoSet::forEdited(edited);
    const UnpackedSharedSet unpacked = takeOverSharedFile(set, edited.everyAccount, file);
    if (!unpacked.info) {
        say(unpacked.message);
        return 1;
    }
    const SharedSetInfo& info = *unpacked.info;
    printResult(QStringLiteral("%1: %2 (%3)")
                    .arg(QDir::toNativeSeparators(set.root()),
                         info.name.isEmpty() ? QFileInfo(file).completeBaseName() : info.name,
                         photographCount(unpacked.photographs)));
    return 0;
}

} // namespace

int runSetFileCommand(const QStringList& arguments, const QString& programFolder, bool classSet) {
    // arguments: the program, --export or --import-set, FILE and perhaps DIR.
    const QString option = arguments.value(1);
    if (arguments.size() < 3 || arguments.size() > 4 || arguments.at(2).isEmpty()) {
        say(commandUsage(option));
        return 2;
    }
    const std::optional<EditedSet> edited = commandSet(arguments, 3, programFolder, classSet);
    if (!edited) {
        return 2;
    }
    recoverEditedSet(*edited);
    const QString file = arguments.at(2);
    return option == QLatin1String("--export") ? exportSet(*edited, file)
                                               : importSet(*edited, file);
}

} // namespace tarvelo
