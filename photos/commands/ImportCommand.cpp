// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportCommand.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "CommandLine.h"
#include "CommandOutput.h"
#include "CommandSet.h"
#include "PhotoSet.h"
#include "PictureSets.h"
#include "SetFolderRecovery.h"
#include "Utf8Path.h"

#include <QDir>
#include <optional>

namespace tarvelo {

namespace {
const QString importOption = QStringLiteral("--import");
const QString addOption = QStringLiteral("--add");
const QString removeOption = QStringLiteral("--remove");

// A whole decimal number from first to last, or nothing.
std::optional<int> numberIn(const QString& text, int first, int last) {
    bool number = false;
    const int value = text.toInt(&number);
    if (!number || value < first || value > last) {
        return std::nullopt;
    }
    return value;
}

void printStored(const PhotoSet& set, int index, const ImportResult& result) {
    printResult(
        QStringLiteral("%1 (%2): %3 x %4, %5 bytes")
            .arg(QDir::toNativeSeparators(result.storedPath.isEmpty() ? set.picturePath(index)
                                                                      : result.storedPath),
                 QString::fromUtf8(answerName(index)))
            .arg(result.storedSize.width())
            .arg(result.storedSize.height())
            .arg(result.storedBytes));
}
} // namespace

int runSetCommand(const QStringList& arguments, const QString& programFolder, bool classSet) {
    // arguments: the program, the command, INDEX, FILE or N, and perhaps DIR.
    const QString command = arguments.value(1);
    const std::optional<int> index = numberIn(arguments.value(2), 0, breedCount - 1);
    const std::optional<int> number =
        command == removeOption ? numberIn(arguments.value(3), 1, maxPhotosPerBreed) : 1;
    if (arguments.size() < 4 || arguments.size() > 5 || !index || !number) {
        say(commandUsage());
        return 2;
    }
    const std::optional<EditedSet> chosen = commandSet(arguments, 4, programFolder, classSet);
    if (!chosen) {
        return 2;
    }
    const EditedSet& edited = *chosen;
    if (edited.problem) {
        say(QString::fromStdString(*edited.problem));
        return 1;
    }
    recoverEditedSet(edited);
    PhotoSet set = PhotoSet::forEdited(edited);

    QString problem;
    if (!set.ensureComplete(&problem)) {
        say(problem);
        return 1;
    }
    if (command == removeOption) {
        if (!set.removePhoto(*index, *number, &problem)) {
            say(problem);
            return 1;
        }
        return 0;
    }
    const QString photo = arguments.at(3);
    const ImportResult result =
        command == addOption ? set.addPhoto(*index, photo) : set.choose(*index, photo);
    if (!result.ok) {
        say(result.message);
        return 1;
    }
    printStored(set, *index, result);
    return 0;
}

} // namespace tarvelo
