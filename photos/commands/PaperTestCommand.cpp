// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaperTestCommand.h"

#include "CommandLine.h"
#include "CommandOutput.h"
#include "PaperQuizPdf.h"
#include "PhotoSet.h"
#include "PictureSets.h"
#include "Utf8Path.h"

#include <QDir>
#include <random>

namespace tarvelo {

namespace {
int misuse(const QString& why = {}) {
    if (!why.isEmpty()) {
        say(QStringLiteral("tarvelo-photos: ") + why);
    }
    say(commandUsage(u"--paper-test"));
    return 2;
}
} // namespace

int runPaperTestCommand(const QStringList& arguments, const QString& programFolder, bool classSet) {
    // arguments: the program, --paper-test, then OUT, perhaps DIR and --beginner.
    QStringList rest = arguments.mid(2);
    const bool beginner = rest.removeAll(QStringLiteral("--beginner")) > 0;
    for (const QString& argument : rest) {
        if (argument.isEmpty() || argument.startsWith(QLatin1Char('-'))) {
            return misuse(argument.isEmpty() ? QString()
                                             : QStringLiteral("unknown option %1").arg(argument));
        }
    }
    if (rest.isEmpty() || rest.size() > 2) {
        return misuse();
    }
    if (classSet && rest.size() == 2) {
        return misuse(QStringLiteral("--class-set and DIR name two sets; give one"));
    }
    const EditedSet edited = editedSet(pictureSetPlaces(pathFromUtf8(programFolder.toStdString())),
                                       pathFromUtf8(rest.value(1).toStdString()), classSet);
    // A set this user may not change may still be printed; only one that is
    // nowhere may not.
    if (edited.folder.empty()) {
        say(QString::fromStdString(edited.problem.value_or(std::string())));
        return 1;
    }
    const PhotoSet set = PhotoSet::inFolders(edited.folder, edited.drawings);
    std::mt19937 random(std::random_device{}());
    const PaperQuizLevel level = beginner ? PaperQuizLevel::Beginner : PaperQuizLevel::Advanced;
    const PaperQuiz quiz = drawPaperQuiz(set.root(), set.drawingsDir(), level, random);

    const QString out = rest.at(0);
    int pages = 0;
    if (const auto problem = savePaperQuiz(quiz, out, &pages)) {
        say(*problem);
        return 1;
    }
    printResult(QStringLiteral("%1 (%2): %3 pages")
                    .arg(QDir::toNativeSeparators(out), paperQuizLevelName(level))
                    .arg(pages));
    return 0;
}

} // namespace tarvelo
