// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"

#include <QPointer>
#include <QThread>
#include <QWidget>
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

// The window of tarvelo-photos: one row per breed in the catalogue's order,
// the selected row's picture as the quiz will draw it, and a button that
// starts the quiz on the set. Every change goes into the set at once.
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

    int selectedIndex() const { return selected_; }
    void select(int index);

    // What the file dialog and a drop both lead to: the photograph goes into
    // the set as picture index, off the window's thread; importFinished tells
    // when. A failure is shown in a message box and changes nothing.
    void choosePhoto(int index, const QString& file);

    // Adds the choice between the user's own set and the machine's class set
    // ("pro všechny uživatele tohoto počítače"), the window now editing the
    // class set when onClassSet. Choosing the class set is refused, with a
    // message and nothing changed, for a user who may not write it.
    void offerClassSet(PhotoSet own, PhotoSet forAll, bool onClassSet);
    QRadioButton* classSetChoice() const { return forAllChoice_; }
    QRadioButton* ownSetChoice() const { return ownChoice_; }
    void restoreDrawing(int index);
    bool busy() const { return worker_ != nullptr; }

signals:
    void importFinished(int index, bool ok);

private:
    void askAndChoose(int index);
    void importDone(int index, const QString& file, const ImportResult& result);
    void refreshRow(int index);
    void showPreview();
    void step(int index, int step);
    void startQuiz();
    void reportError(const QString& text);
    void edit(PhotoSet set);
    void chooseClassSet(bool forAll);

    PhotoSet set_;
    std::vector<PhotoRow*> rows_;
    QScrollArea* scroll_;
    QGroupBox* previewGroup_;
    PictureBox* preview_;
    QLabel* previewProblem_;
    QLabel* status_;
    QPushButton* quiz_;
    QLabel* where_;
    QHBoxLayout* top_;
    QRadioButton* forAllChoice_ = nullptr;
    QRadioButton* ownChoice_ = nullptr;
    std::optional<PhotoSet> own_;
    std::optional<PhotoSet> forAll_;
    int selected_ = -1;
    QPointer<QThread> worker_;
};

} // namespace tarvelo
