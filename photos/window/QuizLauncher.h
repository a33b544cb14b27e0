// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QEventLoopLocker;
class QProcess;

namespace tarvelo {

// The quiz that "Spustit kvíz" and "Hrát" start: tarvelo beside this
// program. Empty path, and a Czech sentence naming where it looked, when
// there is none.
struct QuizProgram {
    QString path;
    QString problem;
};

QuizProgram findQuiz();

// The quiz played on a set's folder, as a child of this program. Until it
// ends it keeps tarvelo-photos running, its windows closed or not, so that
// nothing takes the folder away under it.
class QuizLauncher : public QObject {
    Q_OBJECT

public:
    explicit QuizLauncher(QObject* parent = nullptr);
    ~QuizLauncher() override;

    // The quiz to start; the one beside this program unless set.
    void setProgram(const QString& program) { program_ = program; }
    // Starts the quiz in folder (which holds obr/0/<n>.jpg). Empty, or the
    // Czech reason it cannot start; failed() tells of a start that fails
    // later.
    QString start(const QString& folder);
    bool running() const { return quiz_ != nullptr; }

signals:
    void failed(const QString& problem);
    void ended();

private:
    void quizEnded();

    QString program_;
    QProcess* quiz_ = nullptr;
    std::unique_ptr<QEventLoopLocker> lock_;
};

} // namespace tarvelo
