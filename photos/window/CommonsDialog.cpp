// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonsDialog.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "CommonsService.h"
#include "CzechCounts.h"
#include "MessageBoxes.h"
#include "WindowSize.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tarvelo {

namespace {
QString breedName(int breed) {
    return QString::fromUtf8(answerName(breed));
}
} // namespace

CommonsDialog::CommonsDialog(CommonsService& service, PhotoSet set, std::vector<int> breeds,
                             QWidget* parent)
    : QDialog(parent), service_(&service), set_(std::move(set)), breeds_(std::move(breeds)) {
    setWindowTitle(QStringLiteral("Fotografie z Wikimedia Commons"));
    makeLayout();
    const QSize cell = CommonsGrid::cellSize();
    const QSize wanted = sizeHint() + QSize(2 * cell.width(), cell.height());
    resize(windowSizeFor(wanted, screen()->availableGeometry()));
    showBreed();
}

CommonsDialog::~CommonsDialog() {
    // Whoever waits for the end of an adding hears of it.
    if (adding_) {
        emit addingFinished(breed(), 0, {});
    }
}

int CommonsDialog::breed() const {
    return breeds_.at(step_);
}

void CommonsDialog::makeLayout() {
    heading_ = new QLabel(this);
    heading_->setTextFormat(Qt::PlainText);
    heading_->setWordWrap(true);
    searchText_ = new QLineEdit(this);
    searchText_->setPlaceholderText(QStringLiteral("Hledat jiná slova…"));
    searchText_->setAccessibleName(QStringLiteral("Hledat na Wikimedia Commons"));
    searchText_->setMaxLength(100);
    searchButton_ = new QPushButton(QStringLiteral("Hledat"), this);
    candidates_ = new CommonsGrid(this);
    status_ = new QLabel(this);
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    progress_ = new QProgressBar(this);
    progress_->hide();
    add_ = new QPushButton(QStringLiteral("Přidat vybrané"), this);
    skip_ = new QPushButton(QStringLiteral("Přeskočit plemeno"), this);
    cancel_ = new QPushButton(QStringLiteral("Zavřít"), this);
    // Enter in the search line searches; it must not add what is ticked.
    for (QPushButton* button : {searchButton_, add_, skip_, cancel_}) {
        button->setAutoDefault(false);
    }

    auto* search = new QHBoxLayout;
    search->addWidget(searchText_, 1);
    search->addWidget(searchButton_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(progress_, 1);
    buttons->addStretch();
    buttons->addWidget(add_);
    buttons->addWidget(skip_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(search);
    layout->addWidget(candidates_, 1);
    layout->addWidget(status_);
    layout->addLayout(buttons);

    connect(searchText_, &QLineEdit::returnPressed, this, &CommonsDialog::searchTyped);
    connect(searchButton_, &QPushButton::clicked, this, &CommonsDialog::searchTyped);
    connect(candidates_, &QListWidget::itemChanged, this, &CommonsDialog::updateAddButton);
    connect(add_, &QPushButton::clicked, this, &CommonsDialog::startAdding);
    connect(skip_, &QPushButton::clicked, this, &CommonsDialog::nextBreed);
    connect(cancel_, &QPushButton::clicked, this, &CommonsDialog::reject);
}

void CommonsDialog::showBreed() {
    const QString name = breedName(breed());
    heading_->setText(
        (breeds_.size() > 1
             ? QStringLiteral("%1 (plemeno %2 z %3)").arg(name).arg(step_ + 1).arg(breeds_.size())
             : name) +
        QStringLiteral("\nVyberte fotografie, na kterých je opravdu toto plemeno. Každá se "
                       "přidá i se jménem autora a licencí."));
    skip_->setVisible(step_ + 1 < breeds_.size());
    searchText_->clear();
    status_->setText(
        QStringLiteral("Hledám fotografie plemene %1 na Wikimedia Commons…").arg(name));
    const int generation = ++generation_;
    candidates_->clearCandidates();
    updateAddButton();
    service_->findForBreed(breed(),
                           [self = QPointer(this), generation, name](const CandidateList& list) {
                               if (self && generation == self->generation_) {
                                   self->showCandidates(list, name);
                               }
                           });
}

void CommonsDialog::searchTyped() {
    const QString text = searchText_->text().simplified();
    if (text.isEmpty() || adding_) {
        return;
    }
    status_->setText(QStringLiteral("Hledám „%1“ na Wikimedia Commons…").arg(text));
    const int generation = ++generation_;
    candidates_->clearCandidates();
    updateAddButton();
    service_->search(text, [self = QPointer(this), generation, text](const CandidateList& list) {
        if (self && generation == self->generation_) {
            self->showCandidates(list, QStringLiteral("„%1“").arg(text));
        }
    });
}

void CommonsDialog::showCandidates(const CandidateList& list, const QString& what) {
    if (list.problem) {
        status_->setText(*list.problem);
        emit candidatesShown();
        return;
    }
    candidates_->showCandidates(list.candidates);
    const std::vector<CommonsCandidate>& shown = candidates_->candidates();
    QString text =
        shown.empty()
            ? QStringLiteral("Pro %1 jsem na Wikimedia Commons nenašel žádnou volně použitelnou "
                             "fotografii. Zkuste hledat jiná slova.")
                  .arg(what)
            : QStringLiteral("Nalezeno: %1. Zaškrtněte ty, které chcete přidat.")
                  .arg(photographCount(static_cast<int>(shown.size())));
    if (list.refused > 0) {
        text +=
            QStringLiteral(" Dalších %1 jsem vynechal: jejich licence nedovoluje volné použití.")
                .arg(list.refused);
    }
    if (list.notice) {
        text += QLatin1Char(' ') + *list.notice;
    }
    status_->setText(text);
    updateAddButton();
    emit candidatesShown();
    fetchThumbnails(0);
}

void CommonsDialog::fetchThumbnails(std::size_t from) {
    if (from >= candidates_->candidates().size()) {
        return;
    }
    const int generation = generation_;
    service_->fetchGridThumbnail(candidates_->candidates().at(from),
                                 [self = QPointer(this), generation, from](
                                     const QImage& image, const std::optional<QString>& problem) {
                                     if (!self || generation != self->generation_) {
                                         return;
                                     }
                                     self->candidates_->showThumbnail(from, image, problem);
                                     self->fetchThumbnails(from + 1);
                                 });
}

void CommonsDialog::choose(int n, bool chosen) {
    candidates_->choose(n, chosen);
}

void CommonsDialog::updateAddButton() {
    const int ticked = static_cast<int>(candidates_->chosen().size());
    const int room = maxPhotosPerBreed - set_.photoCount(breed());
    add_->setEnabled(!adding_ && ticked > 0 && ticked <= room);
    add_->setText(ticked > 0 ? QStringLiteral("Přidat vybrané (%1)").arg(ticked)
                             : QStringLiteral("Přidat vybrané"));
    if (!adding_ && ticked > room) {
        status_->setText(room > 0
                             ? QStringLiteral("Vybráno %1, plemeno má ale místo už jen pro %2.")
                                   .arg(photographCount(ticked), photographCount(room))
                             : QStringLiteral("Plemeno už má %1, víc jich mít nemůže.")
                                   .arg(photographCount(maxPhotosPerBreed)));
    }
}

void CommonsDialog::startAdding() {
    std::vector<CommonsCandidate> ticked = candidates_->chosen();
    if (ticked.empty() || adding_) {
        return;
    }
    adding_ = true;
    cancelRequested_ = false;
    for (QWidget* widget : {static_cast<QWidget*>(candidates_), static_cast<QWidget*>(searchText_),
                            static_cast<QWidget*>(searchButton_), static_cast<QWidget*>(skip_)}) {
        widget->setEnabled(false);
    }
    add_->setEnabled(false);
    cancel_->setText(QStringLiteral("Zrušit"));
    const int total = static_cast<int>(ticked.size());
    progress_->setRange(0, total);
    progress_->setValue(0);
    progress_->show();
    status_->setText(QStringLiteral("Stahuji a ukládám %1…").arg(ofCount(1, total)));
    emit addingStarted(breed());
    service_->addToSet(
        set_, breed(), std::move(ticked),
        [self = QPointer(this)](int done, int all) {
            if (!self) {
                return false;
            }
            self->progress_->setValue(done);
            if (done < all && !self->cancelRequested_) {
                self->status_->setText(
                    QStringLiteral("Stahuji a ukládám %1…").arg(ofCount(done + 1, all)));
            }
            return !self->cancelRequested_;
        },
        [self = QPointer(this)](const CommonsAddResult& result) {
            if (self) {
                self->addingDone(result.added, result.cancelled, result.problems);
            }
        });
}

void CommonsDialog::addingDone(int added, bool cancelled, const QStringList& problems) {
    adding_ = false;
    progress_->hide();
    cancel_->setText(QStringLiteral("Zavřít"));
    for (QWidget* widget : {static_cast<QWidget*>(candidates_), static_cast<QWidget*>(searchText_),
                            static_cast<QWidget*>(searchButton_), static_cast<QWidget*>(skip_)}) {
        widget->setEnabled(true);
    }
    const int current = breed();
    emit addingFinished(current, added, problems);
    status_->setText(
        (cancelled ? QStringLiteral("Zrušeno. %1: přidáno %2.") : QStringLiteral("%1: přidáno %2."))
            .arg(breedName(current), photographCount(added)));
    if (!problems.isEmpty()) {
        showError(this, QStringLiteral("Tyto fotografie se nepodařilo přidat:\n\n") +
                            problems.join(QLatin1Char('\n')) +
                            (added > 0 ? QStringLiteral("\n\nOstatní fotografie jsou uložené.")
                                       : QString()));
    }
    if (cancelled || !problems.isEmpty()) {
        // The teacher decides what comes next.
        candidates_->unchooseAll();
        updateAddButton();
        return;
    }
    if (step_ + 1 < breeds_.size()) {
        nextBreed();
    } else {
        accept();
    }
}

void CommonsDialog::nextBreed() {
    if (adding_ || step_ + 1 >= breeds_.size()) {
        return;
    }
    service_->cancel();
    ++step_;
    showBreed();
}

void CommonsDialog::reject() {
    if (adding_) {
        // What is already in stays; the rest is not fetched.
        cancelRequested_ = true;
        status_->setText(QStringLiteral("Ruším…"));
        return;
    }
    QDialog::reject();
}

void CommonsDialog::done(int result) {
    // What is still queued for this dialog (thumbnails, mostly) is not
    // fetched; the service, and what it found, stay for the next dialog.
    if (service_) {
        service_->cancel();
    }
    QDialog::done(result);
}

void CommonsDialog::keyPressEvent(QKeyEvent* event) {
    // Enter anywhere but the search line would otherwise press a button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !searchText_->hasFocus()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tarvelo
