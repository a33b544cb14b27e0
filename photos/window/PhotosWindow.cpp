// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotosWindow.h"

#include "CommonsDialog.h"
#include "CommonsFill.h"
#include "CommonsService.h"
#include "CzechCounts.h"
#include "DocumentsFolder.h"
#include "Fonts.h"
#include "MessageBoxes.h"
#include "OwnCreditDialog.h"
#include "PaperTestDialog.h"
#include "PhotoAdding.h"
#include "PhotoRow.h"
#include "PhotosApplication.h"
#include "QuizLauncher.h"
#include "SaveSetDialog.h"
#include "SetChoice.h"
#include "SharedSetOpener.h"
#include "SharedSetTakeOver.h"
#include "WindowText.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace tarvelo {

namespace {
// The height the window asks for: 768 less a 40-pixel taskbar, the frame
// and some room to spare.
constexpr int preferredHeight = 768 - 40 - 40 - 48;
} // namespace

PhotosWindow::PhotosWindow(PhotoSet set, QWidget* parent)
    : QWidget(parent), view_(new SetView(RowEditing::Editable, this)),
      busy_([this] { return adding_->running(); }, view_->statusLabel()),
      adding_(new PhotoAdding(*view_, busy_, this)), quizLauncher_(new QuizLauncher(this)),
      shared_(new SharedSetOpener(this)) {
    setWindowTitle(photosTitle());
    setFont(fontA());
    setColours(this, Qt::white, Qt::black);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeTop());
    layout->addWidget(view_, 1);
    connectRows();
    addCreditButton();
    connect(adding_, &PhotoAdding::finished, this, &PhotosWindow::importFinished);
    connect(adding_, &PhotoAdding::problem, this, &PhotosWindow::reportError);
    connect(quizLauncher_, &QuizLauncher::failed, this, &PhotosWindow::reportError);
    connect(shared_, &SharedSetOpener::useRequested, this, &PhotosWindow::useSharedSet);
    connect(shared_, &SharedSetOpener::openingEnded, this, &PhotosWindow::sharedSetOpeningEnded);

    // After the rows' stops for Tab come the window's buttons.
    setTabOrder(view_->lastTabStop(), quiz_);
    setTabOrder(quiz_, paperTest_);
    setTabOrder(paperTest_, saveSet_);
    setTabOrder(saveSet_, openSet_);
    setTabOrder(openSet_, fill_);

    edit(std::move(set));
    // The rows scroll; the window fits the screen it opens on.
    resize(windowSizeFor(sizeHint(), screen()->availableGeometry()));
    view_->row(0)->setFocus(Qt::OtherFocusReason);
}

QPushButton* PhotosWindow::makeButton(const QString& text, const QString& spoken) {
    auto* button = new QPushButton(text, this);
    button->setFont(fontA());
    if (!spoken.isEmpty()) {
        button->setAccessibleName(spoken);
    }
    return button;
}

QHBoxLayout* PhotosWindow::makeTop() {
    where_ = makeWindowText(QString(), fontB(), this);
    quiz_ = makeButton(QStringLiteral("Spustit kvíz"), {});
    connect(quiz_, &QPushButton::clicked, this, &PhotosWindow::startQuiz);
    paperTest_ = makeButton(QStringLiteral("Vytisknout test…"), {});
    paperTest_->setObjectName(QStringLiteral("paperTest"));
    connect(paperTest_, &QPushButton::clicked, this,
            [this] { say(printPaperTest(this, view_->photoSet())); });
    saveSet_ = makeButton(QStringLiteral("Uložit sadu do souboru…"),
                          QStringLiteral("Uložit sadu do souboru pro kolegy"));
    connect(saveSet_, &QPushButton::clicked, this,
            [this] { say(saveSetToFile(this, view_->photoSet())); });
    openSet_ = makeButton(QStringLiteral("Otevřít sadu ze souboru…"),
                          QStringLiteral("Otevřít sadu ze souboru k prohlížení"));
    connect(openSet_, &QPushButton::clicked, this, &PhotosWindow::askAndOpenSharedSet);
    fill_ = makeButton(QStringLiteral("Doplnit z Wikimedia Commons…"),
                       QStringLiteral("Doplnit fotografie z Wikimedia Commons"));
    connect(fill_, &QPushButton::clicked, this, [this] {
        if (const std::optional<int> count = askFillCount(this)) {
            fillFromCommons(*count);
        }
    });

    top_ = new QHBoxLayout;
    top_->addWidget(where_, 1);
    auto* setButtons = new QVBoxLayout;
    setButtons->addWidget(quiz_);
    setButtons->addWidget(paperTest_);
    top_->addLayout(setButtons);
    auto* fileButtons = new QVBoxLayout;
    fileButtons->addWidget(saveSet_);
    fileButtons->addWidget(openSet_);
    top_->addLayout(fileButtons);
    auto* commonsButtons = new QVBoxLayout;
    commonsButtons->addWidget(fill_);
    commonsButtons->addStretch(1);
    top_->addLayout(commonsButtons);
    return top_;
}

void PhotosWindow::connectRows() {
    for (int i = 0; i < view_->rowCount(); ++i) {
        PhotoRow* row = view_->row(i);
        connect(row, &PhotoRow::addRequested, adding_, &PhotoAdding::ask);
        connect(row, &PhotoRow::commonsRequested, this,
                [this](int index) { findOnCommons({index}); });
        connect(row, &PhotoRow::removeRequested, this, &PhotosWindow::removePhoto);
        connect(row, &PhotoRow::photosDropped, this, &PhotosWindow::addPhotos);
    }
}

// Under the preview: a credit is given to the photograph seen there.
void PhotosWindow::addCreditButton() {
    credit_ = makeButton(QStringLiteral("Autor a licence…"),
                         QStringLiteral("Autor a licence fotografie v náhledu"));
    view_->addPreviewButton(credit_);
    connect(credit_, &QPushButton::clicked, this, &PhotosWindow::editCredit);
    connect(view_, &SetView::previewChanged, this,
            [this] { credit_->setEnabled(view_->photographSelected()); });
    credit_->setEnabled(view_->photographSelected());
}

void PhotosWindow::editCredit() {
    if (busy_.refuses(Waiting::UntilStored)) { // the import may be moving the photographs
        return;
    }
    if (!view_->photographSelected()) {
        return;
    }
    const QString said = editOwnCredit(this, view_->photoSet(), view_->selectedPath());
    view_->refreshCredit();
    say(said);
}

void PhotosWindow::edit(PhotoSet set) {
    where_->setText(QStringLiteral("Kvíz hraje obrázky ze složky %1. Každá změna se uloží hned.")
                        .arg(quotedPath(set.root())));
    // The set is always complete: a first use copies in all the drawings.
    QString problem;
    bool complete = false;
    {
        const ThumbnailPause pause(*view_);
        complete = set.ensureComplete(&problem);
    }
    if (!complete) {
        QTimer::singleShot(0, this, [this, problem] { reportError(problem); });
    }
    view_->showSet(set);
}

void PhotosWindow::offerClassSet(PhotoSet own, PhotoSet forAll, bool onClassSet) {
    choice_ = new SetChoice(std::move(own), std::move(forAll), onClassSet, busy_, this);
    top_->insertWidget(1, choice_);
    setTabOrder(quiz_, choice_->ownButton());
    setTabOrder(choice_->ownButton(), choice_->forAllButton());
    connect(choice_, &SetChoice::chosen, this, &PhotosWindow::edit);
    connect(choice_, &SetChoice::refused, this, &PhotosWindow::reportError);
}

void PhotosWindow::askAndOpenSharedSet() {
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Otevřít sadu ze souboru"), documentsFolder(),
        QStringLiteral("Sada Tarvela (*.tarvelo);;Všechny soubory (*)"));
    if (!file.isEmpty()) {
        openSharedSet(file);
    }
}

void PhotosWindow::openSharedSet(const QString& file) {
    // The class set is offered to whoever may write it, as in the choice above.
    const bool offerForAll = choice_ != nullptr && choice_->mayWriteForAll();
    shared_->open(file, view_->photoSet().drawingsDir(), offerForAll, isVisible() ? this : nullptr);
}

bool PhotosWindow::openingSharedSet() const {
    return shared_->opening();
}

void PhotosWindow::sharedSetOpeningEnded(SharedSetWindow* shared, const QString& shownName,
                                         const QString& problem) {
    if (shared != nullptr) {
        say(QStringLiteral("Otevřena sada „%1“ jen k prohlížení.").arg(shownName));
    } else if (problem.isEmpty()) {
        say(QStringLiteral("Otevírání sady bylo zrušeno."));
    } else {
        reportError(problem);
    }
    emit sharedSetOpened(shared);
}

// The shared set shown in window shared becomes the own or the class set,
// which the editor then edits.
void PhotosWindow::useSharedSet(QWidget* shared, const QString& shownName, const PhotoSet& unpacked,
                                bool forAll) {
    if (busy_.refusesInBox(shared)) {
        return;
    }
    if (forAll && choice_ == nullptr) {
        return;
    }
    const PhotoSet target = choice_ != nullptr ? choice_->set(forAll) : view_->photoSet();
    const SharedSetTakeOver takeOver(shared, shownName, unpacked);
    switch (takeOver.into(target, forAll, *view_)) {
    case SharedSetTakeOver::Outcome::NotAsked:
        return;
    case SharedSetTakeOver::Outcome::Failed:
        edit(view_->photoSet()); // whatever did get written is shown
        return;
    case SharedSetTakeOver::Outcome::Done:
        break;
    }
    if (choice_ != nullptr) {
        choice_->showEdited(forAll);
    }
    edit(target);
    say(takeOver.doneText(forAll));
    show();
    raise();
    activateWindow();
    shared_->close(shared);
}

void PhotosWindow::addPhotos(int index, const QStringList& files) {
    adding_->add(index, files);
}

CommonsService& PhotosWindow::commons() {
    if (commons_ == nullptr) {
        commons_ = new CommonsService(this);
    }
    return *commons_;
}

CommonsDialog* PhotosWindow::findOnCommons(std::vector<int> breeds) {
    if (busy() || breeds.empty()) {
        return nullptr;
    }
    if (const std::optional<QString> problem = commons().endpointProblem()) {
        reportError(*problem);
        return nullptr;
    }
    const int first = breeds.front();
    auto* dialog = new CommonsDialog(commons(), view_->photoSet(), std::move(breeds), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Downloaded photographs go in beside the rows' thumbnails, as an
    // import's do.
    connect(dialog, &CommonsDialog::addingStarted, this, [this] { commonsPause_.emplace(*view_); });
    connect(dialog, &CommonsDialog::addingFinished, this,
            [this](int index, int added) { commonsAdded(index, added); });
    view_->select(first);
    dialog->open();
    return dialog;
}

CommonsDialog* PhotosWindow::fillFromCommons(int count) {
    std::vector<int> breeds = breedsWithFewerThan(view_->photoSet(), count);
    if (breeds.empty()) {
        say(QStringLiteral("Každé plemeno už má aspoň %1.").arg(photographCount(count)));
        return nullptr;
    }
    return findOnCommons(std::move(breeds));
}

void PhotosWindow::commonsAdded(int index, int added) {
    commonsPause_.reset();
    view_->refreshRow(index);
    if (added > 0) {
        view_->selectPicture(index, view_->row(index)->photoCount() - 1);
        say(QStringLiteral("%1: přidáno %2 z Wikimedia Commons.")
                .arg(view_->row(index)->breed(), photographCount(added)));
    }
}

void PhotosWindow::removePhoto(int index, int number) {
    if (busy_.refuses(Waiting::ForPrevious)) { // the import may be writing into this very row
        return;
    }
    if (index < 0 || index >= view_->rowCount()) {
        return;
    }
    QString problem;
    bool ok = false;
    {
        const ThumbnailPause pause(*view_);
        PhotoSet set = view_->photoSet();
        ok = set.removePhoto(index, number, &problem);
    }
    view_->refreshRow(index);
    // The focus stays where it was: on the photograph that moved up into
    // the removed one's place, or the one before, or the row.
    PhotoRow* changed = view_->row(index);
    const int left = changed->photoCount();
    const int picture = std::clamp(number - 1, 0, std::max(left - 1, 0));
    view_->selectPicture(index, picture);
    if (left > 0) {
        changed->thumbnail(picture)->setFocus(Qt::OtherFocusReason);
    } else {
        changed->setFocus(Qt::OtherFocusReason);
    }
    if (!ok) {
        reportError(problem);
    } else if (left == 0) {
        say(QStringLiteral("%1: odebrána poslední fotografie, vrácena kresba.")
                .arg(changed->breed()));
    } else {
        say(QStringLiteral("%1: fotografie odebrána, teď má %2.")
                .arg(changed->breed(), photographCount(left)));
    }
}

PhotosWindow::~PhotosWindow() {
    view_->stopThumbnails();
    // The import writes into the set; it is let finish, never cut off.
    adding_->finish();
    commonsPause_.reset();
}

QSize PhotosWindow::sizeHint() const {
    return {QWidget::sizeHint().width(), preferredHeight};
}

void PhotosWindow::closeEvent(QCloseEvent* event) {
    view_->stopThumbnails();
    shared_->cancelOpening(); // no window comes up for a set opened from here
    QWidget::closeEvent(event);
}

void PhotosWindow::startQuiz() {
    if (quizLauncher_->running()) {
        say(QStringLiteral("Kvíz s touto sadou už běží."));
        return;
    }
    PhotoSet set = view_->photoSet();
    QString problem;
    if (!set.ensureComplete(&problem)) {
        reportError(problem);
        return;
    }
    problem = quizLauncher_->start(set.root());
    if (!problem.isEmpty()) {
        reportError(problem);
        return;
    }
    say(QStringLiteral("Kvíz spuštěn."));
}

void PhotosWindow::say(const QString& text) {
    if (!text.isEmpty()) {
        view_->statusLabel()->setText(text);
    }
}

void PhotosWindow::reportError(const QString& text) {
    // Started on a shared set that was refused, this window is not shown yet.
    showError(isVisible() ? this : nullptr, text);
}

} // namespace tarvelo
