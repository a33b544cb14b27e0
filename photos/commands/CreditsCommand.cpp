// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CreditsCommand.h"

#include "CommandLine.h"
#include "CommandOutput.h"
#include "CommandSet.h"
#include "ExternalLink.h"
#include "PhotoSet.h"
#include "PictureSets.h"
#include "SetCredits.h"
#include "Utf8Path.h"

#include <QDir>

namespace tarvelo {

int runCreditsCommand(const QStringList& arguments, const QString& programFolder, bool classSet) {
    // arguments: the program, --credits and perhaps DIR.
    if (arguments.size() > 3 || (arguments.size() == 3 && arguments.at(2).isEmpty())) {
        say(commandUsage(arguments.value(1)));
        return 2;
    }
    const std::optional<EditedSet> edited = commandSet(arguments, 2, programFolder, classSet);
    if (!edited) {
        return 2;
    }
    // Only read: someone else's class set may be listed, and nothing is mended.
    if (edited->folder.empty() || !holdsPictureSet(edited->folder)) {
        say(edited->problem ? QString::fromStdString(*edited->problem)
                            : QStringLiteral("Ve složce „%1“ není žádná sada.")
                                  .arg(QDir::toNativeSeparators(
                                      QString::fromStdString(utf8FromPath(edited->folder)))));
        return 1;
    }
    const PhotoSet set = PhotoSet::inFolders(edited->folder, edited->drawings);
    const QDir root(set.root());
    QStringList lines;
    for (const CreditedPhoto& credited : creditsOf(set)) {
        // A page is printed as the paper test prints it: whole on Commons,
        // elsewhere only its host.
        const std::optional<QUrl> page = externalLink(credited.credit.page);
        // "/" on every system, as the set's own layout names it.
        lines << QStringList{root.relativeFilePath(credited.path), credited.credit.author,
                             credited.credit.licence, page ? printedPage(*page) : QString()}
                     .join(QLatin1Char('\t'));
    }
    if (!lines.isEmpty()) {
        printResult(lines.join(QLatin1Char('\n')));
    }
    return 0;
}

} // namespace tarvelo
