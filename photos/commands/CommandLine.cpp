// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "CommonsCommand.h"
#include "CreditsCommand.h"
#include "ImportCommand.h"
#include "PaperTestCommand.h"
#include "SetFileCommand.h"

#include <array>
#include <cstdio>

namespace tarvelo {

namespace {

int printUsage(const QStringList&, const QString&, bool) {
    std::fputs((commandUsage() + QLatin1Char('\n')).toUtf8().constData(), stdout);
    return 0;
}

const std::array forms{
    CommandForm{"", "[DIR | --class-set]", nullptr},
    CommandForm{"", "FILE.tarvelo", nullptr},
    CommandForm{"--import", "INDEX FILE [DIR | --class-set]", runSetCommand},
    CommandForm{"--add", "INDEX FILE [DIR | --class-set]", runSetCommand},
    CommandForm{"--remove", "INDEX N [DIR | --class-set]", runSetCommand},
    CommandForm{"--paper-test", "OUT.pdf [--beginner] [DIR | --class-set]", runPaperTestCommand,
                CommandApplication::HeadlessGui},
    CommandForm{"--export", "FILE.tarvelo [DIR | --class-set]", runSetFileCommand},
    CommandForm{"--import-set", "FILE.tarvelo [DIR | --class-set]", runSetFileCommand},
    CommandForm{"--commons", "INDEX", runCommonsCommand},
    CommandForm{"--commons-add", "INDEX TITLE... [DIR | --class-set]", runCommonsCommand},
    CommandForm{"--credits", "[DIR | --class-set]", runCreditsCommand},
    CommandForm{"--help", "", printUsage},
};

QString formLine(const CommandForm& form) {
    QString line = QStringLiteral("tarvelo-photos");
    for (const char* part : {form.option, form.synopsis}) {
        if (*part != '\0') {
            line += QLatin1Char(' ') + QLatin1String(part);
        }
    }
    return line;
}

} // namespace

const CommandForm& commandFor(int argc, char** argv) {
    // The options are plain ASCII, so the bytes as given are enough to tell.
    const QLatin1String first(argc > 1 ? argv[1] : "");
    for (const CommandForm& form : forms) {
        if (*form.option != '\0' && first == QLatin1String(form.option)) {
            return form;
        }
    }
    return forms.front();
}

QString commandUsage() {
    QStringList lines;
    for (const CommandForm& form : forms) {
        lines << (lines.isEmpty() ? QStringLiteral("usage: ") : QStringLiteral("       ")) +
                     formLine(form);
    }
    lines << QStringLiteral(
                 "INDEX is the breed, 0 to %1; N is its photograph, 1 (the first) to %2;\n"
                 "TITLE is a file on Wikimedia Commons, as \"File:Jersey cow.jpg\".")
                 .arg(breedCount - 1)
                 .arg(maxPhotosPerBreed);
    return lines.join(QLatin1Char('\n'));
}

QString commandUsage(QStringView option) {
    for (const CommandForm& form : forms) {
        if (*form.option != '\0' && option == QLatin1String(form.option)) {
            return QStringLiteral("usage: ") + formLine(form);
        }
    }
    return commandUsage();
}

bool takeClassSetOption(QStringList& arguments) {
    return arguments.removeAll(QStringLiteral("--class-set")) > 0;
}

bool hasUnknownWindowOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QLatin1String argument(argv[i]);
        if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("--class-set")) {
            return true;
        }
    }
    return false;
}

} // namespace tarvelo
