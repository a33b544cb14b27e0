// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonsCommand.h"

#include "BreedCatalogue.h"
#include "CommandLine.h"
#include "CommandOutput.h"
#include "CommandSet.h"
#include "CommonsService.h"
#include "PhotoSet.h"
#include "SetFolderRecovery.h"

#include <QDir>
#include <QEventLoop>

namespace tarvelo {

namespace {

const QString listOption = QStringLiteral("--commons");
// The API names at most fifty files in one question.
constexpr qsizetype titlesAtMost = 50;

std::optional<int> breedIn(const QString& text) {
    bool number = false;
    const int value = text.toInt(&number);
    if (!number || value < 0 || value >= breedCount) {
        return std::nullopt;
    }
    return value;
}

bool isTitle(const QString& argument) {
    return argument.startsWith(QLatin1String("File:"));
}

QString breedName(int breed) {
    return QString::fromUtf8(answerName(breed).data(),
                             static_cast<qsizetype>(answerName(breed).size()));
}

// Runs the event loop until the service calls back with its result.
template <typename Result, typename Call> Result awaited(Call call) {
    QEventLoop loop;
    Result result{};
    call([&](const Result& given) {
        result = given;
        loop.quit();
    });
    loop.exec();
    return result;
}

int listCandidates(CommonsService& service, int breed) {
    const CandidateList list =
        awaited<CandidateList>([&](auto done) { service.findForBreed(breed, done); });
    for (const CommonsCandidate& candidate : list.candidates) {
        printResult(QStringList{candidate.title, candidate.credit.licence, candidate.credit.author,
                                candidate.credit.page}
                        .join(QLatin1Char('\t')));
    }
    if (list.refused > 0) {
        say(QStringLiteral("Vynechané soubory (licence nebo typ souboru): %1").arg(list.refused));
    }
    if (list.notice) {
        say(*list.notice);
    }
    if (list.problem) {
        say(*list.problem);
        return 1;
    }
    if (list.candidates.empty()) {
        say(QStringLiteral("Na Wikimedia Commons není pro plemeno %1 žádná volná fotografie.")
                .arg(breedName(breed)));
    }
    return 0;
}

int addTitles(CommonsService& service, PhotoSet& set, int breed, const QStringList& titles) {
    const CandidateList found =
        awaited<CandidateList>([&](auto done) { service.lookUpTitles(titles, done); });
    if (found.problem) {
        say(*found.problem);
        return 1;
    }
    if (!found.refusedTitles.isEmpty()) {
        say(QStringLiteral("Tyto soubory nejsou pod svobodnou licencí nebo nejsou fotografie, "
                           "program je nepřidá: %1")
                .arg(found.refusedTitles.join(QStringLiteral(", "))));
    }
    if (!found.missingTitles.isEmpty()) {
        say(QStringLiteral("Tyto soubory na Wikimedia Commons nejsou: %1")
                .arg(found.missingTitles.join(QStringLiteral(", "))));
    }
    if (found.candidates.empty()) {
        say(QStringLiteral("Nebyla přidána žádná fotografie."));
        return 1;
    }
    const QStringList before = set.photos(breed);
    const CommonsAddResult result = awaited<CommonsAddResult>(
        [&](auto done) { service.addToSet(set, breed, found.candidates, {}, done); });
    for (const QString& path : set.photos(breed)) {
        if (!before.contains(path)) {
            printResult(QDir::toNativeSeparators(path));
        }
    }
    for (const QString& problem : result.problems) {
        say(problem);
    }
    if (result.added == 0) {
        say(QStringLiteral("Nebyla přidána žádná fotografie."));
    }
    return result.added == titles.size() ? 0 : 1;
}

} // namespace

int runCommonsCommand(const QStringList& arguments, const QString& programFolder, bool classSet) {
    // arguments: the program, the command, INDEX, then the titles and DIR.
    const QString command = arguments.value(1);
    const std::optional<int> breed = breedIn(arguments.value(2));
    if (!breed || (command == listOption && arguments.size() != 3)) {
        say(commandUsage(command));
        return 2;
    }
    CommonsService service;
    if (const auto problem = service.endpointProblem()) {
        say(*problem);
        return 1;
    }
    if (command == listOption) {
        return listCandidates(service, *breed);
    }

    // Every argument after INDEX is a title, but DIR, which can only be last.
    QStringList titles = arguments.mid(3);
    qsizetype dirAt = arguments.size();
    if (!titles.isEmpty() && !isTitle(titles.back())) {
        titles.removeLast();
        dirAt = arguments.size() - 1;
    }
    titles.removeDuplicates();
    if (titles.isEmpty() || titles.size() > titlesAtMost ||
        !std::all_of(titles.begin(), titles.end(), isTitle)) {
        say(commandUsage(command));
        return 2;
    }
    const std::optional<EditedSet> chosen = commandSet(arguments, dirAt, programFolder, classSet);
    if (!chosen) {
        return 2;
    }
    if (chosen->problem) {
        say(QString::fromStdString(*chosen->problem));
        return 1;
    }
    recoverEditedSet(*chosen);
    PhotoSet set = PhotoSet::forEdited(*chosen);
    QString problem;
    if (!set.ensureComplete(&problem)) {
        say(problem);
        return 1;
    }
    return addTitles(service, set, *breed, titles);
}

} // namespace tarvelo
