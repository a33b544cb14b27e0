// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Program.h"
#include "TApplication.h"
#include "TempDir.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tarvelo::testing {

struct ErrorBoxSeen {
    QString caption;
    QString text;
    bool hadOwner;
    bool anyWindowVisible;
    bool openedInPicturePaint; // the picture box's paint had not ended yet
    Qt::TextFormat format;
};

// Both windows of the program on a photo set of its own, played by key
// presses and clicks the way a player would. The start window's modal run
// is entered but not looped, so the test drives the event loop itself.
class QuizWindows : public ::testing::Test {
protected:
    QuizWindows();
    ~QuizWindows() override;

    // Writes obr/0/<index>.jpg; all 19 are written by the constructor.
    void writePhoto(int index, int width = 320, int height = 240);
    // Writes obr/<photo>/<index>.jpg, a breed's further photograph.
    void writeFurtherPhoto(int index, int photo);
    void writeFile(const std::string& relativePath, const std::string& content);
    // Writes `content` at an absolute path, making its folder.
    static void writeFileAt(const std::string& path, const std::string& content);
    void removeFile(const std::string& relativePath);

    void startProgram();
    void settle();

    // A key press goes to the control that has the focus, or to the
    // active window when none has it.
    QWidget* keyTarget() const;
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void type(const QString& text);
    void click(QWidget* widget);

    // The start window's "OK", with the level chosen by mouse first.
    void startRound(bool advanced);
    // Answers the current question with the accepted name, by the shown input.
    void answerRight();
    // Answers with `answer`, by the shown input: typed, or chosen in the list.
    void answerWith(const QString& answer);
    std::string currentAnswer() const;

    TApplication& app() { return tApp(); }
    TForm1& form1() { return program->form1(); }
    TForm2& form2() { return program->form2(); }
    const QuizRound& round() const { return program->quiz().round(); }

    fixtures::TempDir dir;
    // The account's memory of practice, in a folder of the test's own, and
    // the day practice takes for today.
    fixtures::TempDir account;
    std::string memoryPath() const {
        return (account.path() / "tarvelo" / "learning.txt").string();
    }
    LocalDate today = LocalDate{20'000};
    std::unique_ptr<Program> program;
    std::vector<ErrorBoxSeen> errorBoxes;

private:
    QString previousDirectory_;
    QTimer errorBoxWatcher_;
};

} // namespace tarvelo::testing
