// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandOutput.h"

#include "ForeignText.h"
#include "Utf8Path.h"

#include <cstdio>

namespace tarvelo {

namespace {
// What is printed quotes names from files and archives: their control
// characters are written out, not obeyed by the terminal.
void print(const QString& text, std::FILE* stream) {
    std::fputs((terminalText(text) + QLatin1Char('\n')).toUtf8().constData(), stream);
}
} // namespace

void printResult(const QString& text) {
    print(text, stdout);
}

void say(const QString& text) {
    print(text, stderr);
}

std::optional<EditedSet> commandSet(const QStringList& arguments, qsizetype dirAt,
                                    const QString& programFolder, bool classSet) {
    if (classSet && arguments.size() > dirAt) {
        say(QStringLiteral("tarvelo-photos: --class-set and DIR name two sets; give one"));
        return std::nullopt;
    }
    return editedSet(pictureSetPlaces(pathFromUtf8(programFolder.toStdString())),
                     pathFromUtf8(arguments.value(dirAt).toStdString()), classSet);
}

} // namespace tarvelo
