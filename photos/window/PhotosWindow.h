// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"
#include "SetView.h"
#include "SharedSetWindow.h"
#include "WindowSize.h"

#include <QPointer>
#include <QStringList>
#include <QThread>
#include <QWidget>
#include <optional>
#include <vector>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace tarvelo {

class CommonsDialog;
class CommonsService;
class PhotoRow;
class PictureBox;
class QuizLauncher;
class SharedSetOpener;

// The window of tarvelo-photos: the set's view, in which each row adds and
// removes its breed's photographs, and buttons that start the quiz on the
// set, print a test of it, save it to one file and open such a file. Every
// change goes into the set at once.
class PhotosWindow : public QWidget {
    Q_OBJECT

public:
    explicit PhotosWindow(PhotoSet set, QWidget* parent = nullptr);
    ~PhotosWindow() override;

    const PhotoSet& photoSet() const { return set_; }
    SetView* view() const { return view_; }
    int rowCount() const { return view_->rowCount(); }
    PhotoRow* row(int index) const { return view_->row(index); }
    PictureBox* preview() const { return view_->preview(); }
    QLabel* previewProblem() const { return view_->previewProblem(); }
    QLabel* statusLabel() const { return view_->statusLabel(); }
    QScrollArea* rowsArea() const { return view_->rowsArea(); }
    QPushButton* quizButton() const { return quiz_; }
    // "Autor a licence…" of the previewed photograph.
    QPushButton* creditButton() const { return credit_; }

    int selectedIndex() const { return view_->selectedIndex(); }
    int selectedPicture() const { return view_->selectedPicture(); }
    void select(int index) { view_->select(index); }
    void selectPicture(int index, int picture) { view_->selectPicture(index, picture); }

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
    // ("pro všechny uživatele tohoto počítače"), the window now editing the
    // class set when onClassSet. Choosing the class set is refused, with a
    // message and nothing changed, for a user who may not write it.
    void offerClassSet(PhotoSet own, PhotoSet forAll, bool onClassSet);
    QRadioButton* classSetChoice() const { return forAllChoice_; }
    QRadioButton* ownSetChoice() const { return ownChoice_; }
    bool busy() const { return worker_ != nullptr; }

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
    void askAndAdd(int index);
    CommonsService& commons();
    void commonsAdded(int index, int added);
    void importDone(int index, const QStringList& files, const std::vector<ImportResult>& results);
    void startQuiz();
    void reportError(const QString& text);
    void edit(PhotoSet set);
    void chooseClassSet(bool forAll);
    void askAndOpenSharedSet();
    void sharedSetOpeningEnded(SharedSetWindow* shared, const QString& shownName,
                               const QString& problem);
    void useSharedSet(QWidget* shared, const QString& shownName, const PhotoSet& unpacked,
                      bool forAll);

    PhotoSet set_;
    SetView* view_;
    QLabel* where_ = nullptr;
    QPushButton* quiz_ = nullptr;
    QPushButton* paperTest_ = nullptr;
    QPushButton* saveSet_ = nullptr;
    QPushButton* openSet_ = nullptr;
    QPushButton* fill_ = nullptr;
    QPushButton* credit_ = nullptr;
    QHBoxLayout* top_ = nullptr;
    QRadioButton* forAllChoice_ = nullptr;
    QRadioButton* ownChoice_ = nullptr;
    std::optional<PhotoSet> own_;
    std::optional<PhotoSet> forAll_;
    QPointer<QThread> worker_;
    std::optional<ThumbnailPause> importPause_;
    QuizLauncher* quizLauncher_;
    // The shared sets opened from here, each in its own window.
    SharedSetOpener* shared_;
    // Made when the teacher first asks Commons, and kept, with what it
    // found, for as long as the window is open.
    CommonsService* commons_ = nullptr;
};

} // namespace tarvelo
