// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BusyGuard.h"
#include "PhotoSet.h"
#include "SetView.h"
#include "SharedSetWindow.h"
#include "WindowSize.h"

#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace tarvelo {

class CommonsDialog;
class CommonsService;
class PhotoAdding;
class QuizLauncher;
class SetChoice;
class SharedSetOpener;

// The window of tarvelo-photos: the set's view, in which each row adds and
// removes its breed's photographs, and buttons that start the quiz on the
// set, print a test of it, save it to one file and open such a file. Every
// change goes into the set at once; the view holds the set edited.
class PhotosWindow : public QWidget {
    Q_OBJECT

public:
    explicit PhotosWindow(PhotoSet set, QWidget* parent = nullptr);
    ~PhotosWindow() override;

    SetView* view() const { return view_; }
    QPushButton* quizButton() const { return quiz_; }
    // "Autor a licence…" of the previewed photograph.
    QPushButton* creditButton() const { return credit_; }

    // What the file dialog and a drop both lead to: the photographs are added
    // to breed index one after another, off the window's thread, the status
    // line counting them; importFinished tells when. The files that cannot be
    // taken are named in one message at the end, and the others are kept.
    void addPhotos(int index, const QStringList& files);
    // Removes the breed's photograph number (1 is the first); the later ones
    // move up, and the drawing comes back after the last.
    void removePhoto(int index, int number);

    // The Commons dialog for the breeds given, one after another, opened
    // over the window; what it adds goes into the set as an import's would.
    CommonsDialog* findOnCommons(std::vector<int> breeds);
    // "Doplnit z Wikimedia Commons…": every breed with fewer than count
    // photographs in that dialog; null when every breed has enough.
    CommonsDialog* fillFromCommons(int count);
    QPushButton* fillButton() const { return fill_; }

    // Adds the choice between the user's own set and the machine's class set
    // (SetChoice), the window now editing the class set when onClassSet.
    void offerClassSet(PhotoSet own, PhotoSet forAll, bool onClassSet);
    // Null until offered.
    SetChoice* setChoice() const { return choice_; }
    bool busy() const { return busy_.busy(); }

    // "Otevřít sadu ze souboru…" without the file dialog: the shared set in
    // file unpacked off the window's thread and shown in a window of its
    // own, to look at, play, or take over as a set this window edits (which
    // it then shows); sharedSetOpened tells when. The reason goes in a box
    // when the file is refused. A set still being opened is given up, and so
    // is the opening when this window is closed.
    void openSharedSet(const QString& file);
    bool openingSharedSet() const;
    QPushButton* saveSetButton() const { return saveSet_; }
    QPushButton* openSetButton() const { return openSet_; }

    // Wide enough for a row of ten photographs, no taller than a school
    // laptop's 1366 x 768 screen leaves under a taskbar.
    QSize sizeHint() const override;

signals:
    void importFinished(int index, bool ok);
    // An opening of a shared set ended: its window, or null when the file
    // was refused or the opening cancelled.
    void sharedSetOpened(tarvelo::SharedSetWindow* shared);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QHBoxLayout* makeTop();
    QPushButton* makeButton(const QString& text, const QString& spoken);
    void connectRows();
    void addCreditButton();
    void editCredit();
    CommonsService& commons();
    void commonsAdded(int index, int added);
    void startQuiz();
    void say(const QString& text);
    void reportError(const QString& text);
    void edit(PhotoSet set);
    void askAndOpenSharedSet();
    void sharedSetOpeningEnded(SharedSetWindow* shared, const QString& shownName,
                               const QString& problem);
    void useSharedSet(QWidget* shared, const QString& shownName, const PhotoSet& unpacked,
                      bool forAll);

    SetView* view_;
    // Every change to the set's files waits for the import.
    BusyGuard busy_;
    PhotoAdding* adding_;
    QLabel* where_ = nullptr;
    QPushButton* quiz_ = nullptr;
    QPushButton* paperTest_ = nullptr;
    QPushButton* saveSet_ = nullptr;
    QPushButton* openSet_ = nullptr;
    QPushButton* fill_ = nullptr;
    QPushButton* credit_ = nullptr;
    QHBoxLayout* top_ = nullptr;
    SetChoice* choice_ = nullptr;
    // Held while Commons adds its photographs to the set.
    std::optional<ThumbnailPause> commonsPause_;
    QuizLauncher* quizLauncher_;
    // The shared sets opened from here, each in its own window.
    SharedSetOpener* shared_;
    // Made when the teacher first asks Commons, and kept, with what it
    // found, for as long as the window is open.
    CommonsService* commons_ = nullptr;
};

} // namespace tarvelo
