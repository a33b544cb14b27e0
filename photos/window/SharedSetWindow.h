// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"
#include "SharedSet.h"
#include "TemporaryFolder.h"

#include <QString>
#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;

namespace tarvelo {

class QuizLauncher;
class SetView;

// A shared set (NAME.tarvelo) shown only to look at: its name and note, each
// breed's photographs and the preview as the quiz draws it, unpacked into a
// temporary folder of its own that goes when the window goes. "Hrát" plays
// it, "Použít jako moji sadu" (and, where offered, "Použít pro všechny
// uživatele tohoto počítače") asks the editor to take it over.
class SharedSetWindow : public QWidget {
    Q_OBJECT

public:
    SharedSetWindow(const QString& file, SharedSetInfo info,
                    std::unique_ptr<TemporaryFolder> folder, PhotoSet unpacked, bool offerForAll);
    ~SharedSetWindow() override;

    const QString& file() const { return file_; }
    const SharedSetInfo& info() const { return info_; }
    // The set's name as shown: its own, or the file's when it has none,
    // on one line without control or direction characters (shownSetName).
    QString shownName() const;
    const PhotoSet& unpacked() const;
    SetView* view() const { return view_; }
    QLabel* nameLabel() const { return name_; }
    QLabel* noteLabel() const { return note_; }
    QPushButton* playButton() const { return play_; }
    QPushButton* useOwnButton() const { return useOwn_; }
    QPushButton* useForAllButton() const { return useForAll_; }
    bool quizRunning() const;
    // The quiz "Hrát" starts; the one beside this program unless set.
    void setQuizProgram(const QString& program);

signals:
    void useRequested(bool forAll);
    void quizFinished();
    // Closed and, when a quiz was running, that quiz ended too: the window
    // and its folder may go.
    void done();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLayout* makeHeading();
    QLayout* makeButtons(bool offerForAll);
    void play();
    void quizEnded();

    QString file_;
    SharedSetInfo info_;
    std::unique_ptr<TemporaryFolder> folder_;
    SetView* view_ = nullptr;
    QLabel* name_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* useOwn_ = nullptr;
    QPushButton* useForAll_ = nullptr;
    // Plays from the folder, which therefore stays until the quiz ends.
    QuizLauncher* quiz_ = nullptr;
    bool closed_ = false;
};

// Whether a command-line argument names a shared set to show: a file whose
// name ends in .tarvelo, in any case (what a double click on one in a file
// manager passes). One that is missing counts too, so it is told as missing
// rather than taken for a set's folder; a folder so named does not.
bool isSharedSetFile(const QString& argument);

} // namespace tarvelo
