// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QThread>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace tarvelo {

class PhotoRow;
class PictureBox;
class SharedSetWindow;

// The window of tarvelo-photos: one row per breed in the catalogue's order,
// the selected photograph as the quiz will draw it, and a button that starts
// the quiz on the set. Every change goes into the set at once.
class PhotosWindow : public QWidget {
    Q_OBJECT

public:
    explicit PhotosWindow(PhotoSet set, QWidget* parent = nullptr);
    ~PhotosWindow() override;

    const PhotoSet& photoSet() const { return set_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    PhotoRow* row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    PictureBox* preview() const { return preview_; }
    QLabel* previewProblem() const { return previewProblem_; }
    QLabel* statusLabel() const { return status_; }
    QPushButton* quizButton() const { return quiz_; }

    QScrollArea* rowsArea() const { return scroll_; }

    int selectedIndex() const { return selected_; }
    // The selected row's picture that is previewed (0 is the first).
    int selectedPicture() const { return selectedPicture_; }
    void select(int index);
    void selectPicture(int index, int picture);

    // What the file dialog and a drop both lead to: the photographs are added
    // to breed index one after another, off the window's thread, the status
    // line counting them; importFinished tells when. The files that cannot be
    // taken are named in one message at the end, and the others are kept.
    void addPhotos(int index, const QStringList& files);
    // Removes the breed's photograph number (1 is the first); the later ones
    // move up, and the drawing comes back after the last.
    void removePhoto(int index, int number);

    // Adds the choice between the user's own set and the machine's class set
    // ("pro všechny uživatele tohoto počítače"), the window now editing the
    // class set when onClassSet. Choosing the class set is refused, with a
    // message and nothing changed, for a user who may not write it.
    void offerClassSet(PhotoSet own, PhotoSet forAll, bool onClassSet);
    QRadioButton* classSetChoice() const { return forAllChoice_; }
    QRadioButton* ownSetChoice() const { return ownChoice_; }
    bool busy() const { return worker_ != nullptr; }

    // Only to look at, as a shared set is shown: no adding or removing, and
    // none of the buttons that start, print, save or open a set.
    void setReadOnly();
    bool isReadOnly() const { return readOnly_; }

    // "Otevřít sadu ze souboru…" without the file dialog: the shared set in
    // file shown in a window of its own, to look at, play, or take over as
    // a set this window edits (which it then shows). Nothing, and the reason
    // in a box, when the file is refused.
    SharedSetWindow* openSharedSet(const QString& file);
    QPushButton* saveSetButton() const { return saveSet_; }
    QPushButton* openSetButton() const { return openSet_; }

    // Wide enough for a row of ten photographs, no taller than a school
    // laptop's 1366 x 768 screen leaves under a taskbar.
    QSize sizeHint() const override;

signals:
    void importFinished(int index, bool ok);

private:
    void askAndAdd(int index);
    void importDone(int index, const QStringList& files, const std::vector<ImportResult>& results);
    void refreshRow(int index);
    void showPreview();
    void step(int index, int step);
    void startQuiz();
    void reportError(const QString& text);
    void edit(PhotoSet set);
    void chooseClassSet(bool forAll);
    void askAndOpenSharedSet();
    void useSharedSet(SharedSetWindow* shared, bool forAll);

    PhotoSet set_;
    std::vector<PhotoRow*> rows_;
    // The files each row shows, in its order.
    std::vector<QStringList> shown_;
    QWidget* list_;
    QScrollArea* scroll_;
    QGroupBox* previewGroup_;
    PictureBox* preview_;
    QLabel* previewProblem_;
    QLabel* status_;
    QPushButton* quiz_;
    QPushButton* paperTest_;
    QPushButton* saveSet_;
    QPushButton* openSet_;
    QLabel* where_;
    QHBoxLayout* top_;
    QRadioButton* forAllChoice_ = nullptr;
    QRadioButton* ownChoice_ = nullptr;
    std::optional<PhotoSet> own_;
    std::optional<PhotoSet> forAll_;
    int selected_ = -1;
    int selectedPicture_ = 0;
    QPointer<QThread> worker_;
    bool readOnly_ = false;
    // The shared sets opened from here, each in its own window.
    std::vector<std::unique_ptr<SharedSetWindow>> shared_;
};

// The window's first size: what it asks for, within a screen's available
// area (without the taskbar) less room for the window's frame and title.
QSize windowSizeFor(const QSize& wanted, const QRect& available);

} // namespace tarvelo
