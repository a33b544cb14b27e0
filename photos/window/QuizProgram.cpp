// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuizProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace tarvelo {

QuizProgram findQuiz() {
    const QString folder = QCoreApplication::applicationDirPath();
    const QString quiz = QStandardPaths::findExecutable(QStringLiteral("tarvelo"), {folder});
    if (quiz.isEmpty()) {
        return {.path = {},
                .problem = QStringLiteral("Kvíz tarvelo nebyl nalezen ve složce %1.")
                               .arg(QDir::toNativeSeparators(folder))};
    }
    return {.path = quiz, .problem = {}};
}

} // namespace tarvelo
