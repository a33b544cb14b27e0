// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommonsCandidate.h"
#include "CommonsGrid.h"
#include "PhotoSet.h"

#include <QDialog>
#include <QPointer>
#include <vector>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tarvelo {

class CommonsService;

// Free photographs of a breed from Wikimedia Commons, as thumbnails with
// their authors and licences, for the teacher to choose from: a category
// also holds calves, maps, drawings and other breeds, so nothing goes in
// unchosen. "Přidat vybrané" downloads the chosen ones and adds them to the
// breed as an import does, with their credits. Given several breeds, it
// steps through them, each with the same choice. The search starts when the
// dialog opens: the teacher asked for it.
class CommonsDialog : public QDialog {
    Q_OBJECT

public:
    CommonsDialog(CommonsService& service, PhotoSet set, std::vector<int> breeds,
                  QWidget* parent = nullptr);
    ~CommonsDialog() override;

    int breed() const;
    QLineEdit* searchEdit() const { return searchText_; }
    QPushButton* searchButton() const { return searchButton_; }
    QListWidget* candidateList() const { return candidates_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* skipButton() const { return skip_; }
    QPushButton* cancelButton() const { return cancel_; }
    QLabel* statusLabel() const { return status_; }
    QProgressBar* progressBar() const { return progress_; }
    // The candidates shown, in their order.
    const std::vector<CommonsCandidate>& shownCandidates() const {
        return candidates_->candidates();
    }
    // Ticks candidate n, as the teacher's click would.
    void choose(int n, bool chosen = true);
    bool busy() const { return adding_; }

    // Closes the dialog; while photographs are being added, it stops them
    // after the one being stored instead, as "Zrušit" does.
    void reject() override;
    void done(int result) override;

signals:
    // Photographs are about to go into breed, and have gone (added of them).
    void addingStarted(int breed);
    void addingFinished(int breed, int added, const QStringList& problems);
    // The candidates of the breed or search are shown (or the problem).
    void candidatesShown();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void makeLayout();
    void showBreed();
    void showCandidates(const CandidateList& list, const QString& what);
    void fetchThumbnails(std::size_t from);
    void updateAddButton();
    void startAdding();
    void addingDone(int added, bool cancelled, const QStringList& problems);
    void nextBreed();
    void searchTyped();

    QPointer<CommonsService> service_;
    PhotoSet set_;
    std::vector<int> breeds_;
    std::size_t step_ = 0;
    // Answers for an earlier breed or search are dropped.
    int generation_ = 0;
    bool adding_ = false;
    bool cancelRequested_ = false;

    QLabel* heading_ = nullptr;
    QLineEdit* searchText_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    CommonsGrid* candidates_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* skip_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace tarvelo
