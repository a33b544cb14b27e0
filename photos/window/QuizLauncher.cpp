// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuizLauncher.h"

#include "ForeignText.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoopLocker>
#include <QProcess>
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

QuizLauncher::QuizLauncher(QObject* parent) : QObject(parent) {}

// Torn down while the quiz still plays, as when the program ends: the quiz
// goes with it, and its end must not reach an owner that is half gone.
QuizLauncher::~QuizLauncher() {
    if (quiz_ != nullptr) {
        quiz_->disconnect(this);
    }
}

QString QuizLauncher::start(const QString& folder) {
    QString program = program_;
    if (program.isEmpty()) {
        const QuizProgram found = findQuiz();
        if (found.path.isEmpty()) {
            return found.problem;
        }
        program = found.path;
    }
    quiz_ = new QProcess(this);
    quiz_->setProgram(program);
    quiz_->setWorkingDirectory(folder);
    quiz_->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(quiz_, &QProcess::finished, this, &QuizLauncher::quizEnded);
    connect(quiz_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            const QString shown = quotedName(QDir::toNativeSeparators(quiz_->program()));
            quizEnded();
            emit failed(QStringLiteral("Kvíz %1 se nepodařilo spustit.").arg(shown));
        }
    });
    lock_ = std::make_unique<QEventLoopLocker>();
    quiz_->start();
    return {};
}

void QuizLauncher::quizEnded() {
    if (quiz_ == nullptr) {
        return;
    }
    quiz_->deleteLater();
    quiz_ = nullptr;
    lock_.reset();
    emit ended();
}

} // namespace tarvelo
