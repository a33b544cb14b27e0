// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotosWindow.h"

#include "BreedPhotos.h"
#include "CommonsDialog.h"
#include "CommonsFill.h"
#include "CommonsService.h"
#include "CzechCounts.h"
#include "DocumentsFolder.h"
#include "Fonts.h"
#include "ForeignText.h"
#include "MessageBoxes.h"
#include "OwnCreditDialog.h"
#include "PaperTestDialog.h"
#include "PhotoFileDialog.h"
#include "PhotoRow.h"
#include "PhotosApplication.h"
#include "PictureSets.h"
#include "QuizLauncher.h"
#include "SaveSetDialog.h"
#include "SetReplacement.h"
#include "SharedSetOpener.h"
#include "Utf8Path.h"
#include "WindowText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <new>

namespace tarvelo {

namespace {
QString fileName(const QString& path) {
    return quotedName(QDir::toNativeSeparators(path));
}

// The height the window asks for: 768 less a 40-pixel taskbar, the frame
// and some room to spare.
constexpr int preferredHeight = 768 - 40 - 40 - 48;
} // namespace

PhotosWindow::PhotosWindow(PhotoSet set, QWidget* parent)
    : QWidget(parent), set_(std::move(set)), view_(new SetView(RowEditing::Editable, this)),
      quizLauncher_(new QuizLauncher(this)), shared_(new SharedSetOpener(this)) {
    setWindowTitle(photosTitle());
    setFont(fontA());
    setColours(this, Qt::white, Qt::black);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeTop());
    layout->addWidget(view_, 1);
    connectRows();
    addCreditButton();
    connect(quizLauncher_, &QuizLauncher::failed, this, &PhotosWindow::reportError);
    connect(shared_, &SharedSetOpener::useRequested, this, &PhotosWindow::useSharedSet);
    connect(shared_, &SharedSetOpener::openingEnded, this, &PhotosWindow::sharedSetOpeningEnded);

    // After the rows' stops for Tab come the window's buttons.
    setTabOrder(view_->lastTabStop(), quiz_);
    setTabOrder(quiz_, paperTest_);
    setTabOrder(paperTest_, saveSet_);
    setTabOrder(saveSet_, openSet_);
    setTabOrder(openSet_, fill_);

    edit(set_);
    // The rows scroll; the window fits the screen it opens on.
    resize(windowSizeFor(sizeHint(), screen()->availableGeometry()));
    row(0)->setFocus(Qt::OtherFocusReason);
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
    connect(paperTest_, &QPushButton::clicked, this, [this] {
        const QString said = printPaperTest(this, set_);
        if (!said.isEmpty()) {
            statusLabel()->setText(said);
        }
    });
    saveSet_ = makeButton(QStringLiteral("Uložit sadu do souboru…"),
                          QStringLiteral("Uložit sadu do souboru pro kolegy"));
    connect(saveSet_, &QPushButton::clicked, this, [this] {
        const QString said = saveSetToFile(this, set_);
        if (!said.isEmpty()) {
            statusLabel()->setText(said);
        }
    });
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
    for (int i = 0; i < rowCount(); ++i) {
        connect(row(i), &PhotoRow::addRequested, this, &PhotosWindow::askAndAdd);
        connect(row(i), &PhotoRow::commonsRequested, this,
                [this](int index) { findOnCommons({index}); });
        connect(row(i), &PhotoRow::removeRequested, this, &PhotosWindow::removePhoto);
        connect(row(i), &PhotoRow::photosDropped, this, &PhotosWindow::addPhotos);
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
    if (busy()) { // the import may be moving the photographs
        statusLabel()->setText(QStringLiteral("Počkejte, až se fotografie uloží."));
        return;
    }
    if (!view_->photographSelected()) {
        return;
    }
    const QString said = editOwnCredit(this, set_, view_->selectedPath());
    view_->refreshCredit();
    if (!said.isEmpty()) {
        statusLabel()->setText(said);
    }
}

void PhotosWindow::edit(PhotoSet set) {
    set_ = std::move(set);
    where_->setText(QStringLiteral("Kvíz hraje obrázky ze složky %1. Každá změna se uloží hned.")
                        .arg(fileName(set_.root())));
    // The set is always complete: a first use copies in all the drawings.
    QString problem;
    bool complete = false;
    {
        const ThumbnailPause pause(*view_);
        complete = set_.ensureComplete(&problem);
    }
    if (!complete) {
        QTimer::singleShot(0, this, [this, problem] { reportError(problem); });
    }
    view_->showSet(set_);
}

void PhotosWindow::offerClassSet(PhotoSet own, PhotoSet forAll, bool onClassSet) {
    own_ = std::move(own);
    forAll_ = std::move(forAll);
    auto* choice = new QGroupBox(QStringLiteral("Sada"), this);
    choice->setFont(fontB());
    setColours(choice, Qt::white, Qt::black);
    ownChoice_ = new QRadioButton(QStringLiteral("jen pro mě"), choice);
    forAllChoice_ =
        new QRadioButton(QStringLiteral("pro všechny uživatele tohoto počítače"), choice);
    for (QRadioButton* button : {ownChoice_, forAllChoice_}) {
        button->setFont(fontB());
        setColours(button, Qt::white, Qt::black);
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, Qt::black); // the style fills the label with it
        button->setPalette(palette);
    }
    auto* layout = new QVBoxLayout(choice);
    layout->addWidget(ownChoice_);
    layout->addWidget(forAllChoice_);
    top_->insertWidget(1, choice);
    (onClassSet ? forAllChoice_ : ownChoice_)->setChecked(true);
    setTabOrder(quiz_, ownChoice_);
    setTabOrder(ownChoice_, forAllChoice_);
    connect(forAllChoice_, &QRadioButton::toggled, this, &PhotosWindow::chooseClassSet);
}

void PhotosWindow::chooseClassSet(bool forAll) {
    const auto undo = [this, forAll] {
        const QSignalBlocker blocker(forAllChoice_);
        (forAll ? ownChoice_ : forAllChoice_)->setChecked(true);
    };
    if (busy()) {
        statusLabel()->setText(QStringLiteral("Počkejte, až se fotografie uloží."));
        undo();
        return;
    }
    if (forAll) {
        if (const auto refusal = classSetRefusal(pathFromUtf8(forAll_->root().toStdString()))) {
            undo();
            reportError(QString::fromStdString(*refusal));
            return;
        }
    }
    edit(forAll ? *forAll_ : *own_);
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
    const bool offerForAll =
        forAll_ && !classSetRefusal(pathFromUtf8(forAll_->root().toStdString()));
    shared_->open(file, set_.drawingsDir(), offerForAll, isVisible() ? this : nullptr);
}

bool PhotosWindow::openingSharedSet() const {
    return shared_->opening();
}

void PhotosWindow::sharedSetOpeningEnded(SharedSetWindow* shared, const QString& shownName,
                                         const QString& problem) {
    if (shared != nullptr) {
        statusLabel()->setText(
            QStringLiteral("Otevřena sada „%1“ jen k prohlížení.").arg(shownName));
    } else if (problem.isEmpty()) {
        statusLabel()->setText(QStringLiteral("Otevírání sady bylo zrušeno."));
    } else {
        reportError(problem);
    }
    emit sharedSetOpened(shared);
}

// Replaces the set's photographs with those of the shared set shown in
// window shared, after the teacher said "Ano"; the editor then edits it.
void PhotosWindow::useSharedSet(QWidget* shared, const QString& shownName, const PhotoSet& unpacked,
                                bool forAll) {
    if (busy()) {
        showInformation(shared, QStringLiteral("Počkejte, až se fotografie uloží."));
        return;
    }
    if (forAll && !forAll_) {
        return;
    }
    PhotoSet target = forAll ? *forAll_ : (own_ ? *own_ : set_);
    if (const auto refusal = takeOverRefusal(target, forAll)) {
        showError(shared, *refusal);
        return;
    }
    if (!askYesNo(shared, QStringLiteral("Fotografie ze sady „%1“ nahradí všechny dosavadní "
                                         "fotografie %2 ve složce %3. Pokračovat?")
                              .arg(shownName,
                                   forAll ? QStringLiteral("sady pro všechny uživatele")
                                          : QStringLiteral("vaší sady"),
                                   fileName(target.root())))) {
        return;
    }
    std::optional<QString> failed;
    {
        const ThumbnailPause pause(*view_);
        failed = takeOverSharedSet(target, forAll, unpacked);
    }
    if (failed) {
        showError(shared, *failed);
        edit(set_); // whatever did get written is shown
        return;
    }
    if (forAllChoice_ != nullptr) {
        const QSignalBlocker blocker(forAllChoice_);
        (forAll ? forAllChoice_ : ownChoice_)->setChecked(true);
    }
    edit(target);
    statusLabel()->setText(QStringLiteral("Sada „%1“ je teď %2.")
                               .arg(shownName, forAll ? QStringLiteral("sadou pro všechny "
                                                                       "uživatele tohoto počítače")
                                                      : QStringLiteral("vaší sadou")));
    show();
    raise();
    activateWindow();
    shared_->close(shared);
}

void PhotosWindow::askAndAdd(int index) {
    if (busy()) {
        return;
    }
    if (row(index)->photoCount() >= maxPhotosPerBreed) {
        reportError(QStringLiteral("Plemeno %1 už má %2, víc jich mít nemůže. "
                                   "Nejdřív některou odeberte.")
                        .arg(row(index)->breed(), photographCount(maxPhotosPerBreed)));
        return;
    }
    const QStringList files = askForPhotos(this, row(index)->breed());
    if (!files.isEmpty()) {
        addPhotos(index, files);
    }
}

void PhotosWindow::addPhotos(int index, const QStringList& files) {
    if (busy()) {
        statusLabel()->setText(QStringLiteral("Počkejte, ještě se ukládá předchozí fotografie."));
        return;
    }
    if (files.isEmpty() || index < 0 || index >= rowCount()) {
        return;
    }
    select(index);
    const int count = static_cast<int>(files.size());
    statusLabel()->setText(count == 1 ? QStringLiteral("Ukládám fotografii %1 jako %2…")
                                            .arg(fileName(files.front()), row(index)->breed())
                                      : QStringLiteral("Ukládám %1…").arg(ofCount(1, count)));
    QApplication::setOverrideCursor(Qt::WaitCursor);

    // Large photographs take a while to read; the window keeps painting and
    // the status line counts them.
    auto results = std::make_shared<std::vector<ImportResult>>();
    results->reserve(static_cast<std::size_t>(count));
    importPause_.emplace(*view_); // the import may replace a file a row shows
    worker_ = QThread::create([this, set = set_, index, files, count, results]() mutable {
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                QMetaObject::invokeMethod(
                    this,
                    [this, i, count] {
                        statusLabel()->setText(
                            QStringLiteral("Ukládám %1…").arg(ofCount(i + 1, count)));
                    },
                    Qt::QueuedConnection);
            }
            // Nothing may leave the thread: that would end the program.
            try {
                results->push_back(set.addPhoto(index, files.at(i)));
            } catch (const std::bad_alloc&) {
                ImportResult failed;
                failed.message = QStringLiteral("Fotografii „%1“ nelze přidat: nedostatek paměti.")
                                     .arg(fileName(files.at(i)));
                results->push_back(std::move(failed));
            }
        }
    });
    connect(worker_, &QThread::finished, this, [this, index, files, results] {
        worker_->deleteLater();
        worker_ = nullptr;
        importPause_.reset();
        importDone(index, files, *results);
    });
    worker_->start();
}

void PhotosWindow::importDone(int index, const QStringList& files,
                              const std::vector<ImportResult>& results) {
    QApplication::restoreOverrideCursor();
    view_->refreshRow(index);
    QStringList failures;
    for (const ImportResult& result : results) {
        if (!result.ok) {
            failures.push_back(result.message);
        }
    }
    const int stored = static_cast<int>(results.size()) - static_cast<int>(failures.size());
    // The last one added is previewed.
    selectPicture(index, stored > 0 ? row(index)->photoCount() - 1 : selectedPicture());
    const QString breed = row(index)->breed();
    if (files.size() == 1 && stored == 1) {
        statusLabel()->setText(QStringLiteral("%1: uložena fotografie %2 (%3 × %4 pixelů).")
                                   .arg(breed, fileName(files.front()))
                                   .arg(results.front().storedSize.width())
                                   .arg(results.front().storedSize.height()));
    } else if (stored == 0) {
        statusLabel()->setText(QStringLiteral("%1: nic se nezměnilo.").arg(breed));
    } else {
        statusLabel()->setText(QStringLiteral("%1: uloženo %2.")
                                   .arg(breed, ofCount(stored, static_cast<int>(files.size()))));
    }
    if (files.size() == 1 && !failures.isEmpty()) {
        reportError(failures.front());
    } else if (!failures.isEmpty()) {
        QString text = QStringLiteral("Tyto soubory se nepodařilo přidat:\n\n") +
                       failures.join(QStringLiteral("\n"));
        if (stored > 0) {
            text += QStringLiteral("\n\nOstatní fotografie jsou uložené.");
        }
        reportError(text);
    }
    emit importFinished(index, failures.isEmpty());
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
    auto* dialog = new CommonsDialog(commons(), set_, std::move(breeds), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Downloaded photographs go in beside the rows' thumbnails, as an
    // import's do.
    connect(dialog, &CommonsDialog::addingStarted, this, [this] { importPause_.emplace(*view_); });
    connect(dialog, &CommonsDialog::addingFinished, this,
            [this](int index, int added) { commonsAdded(index, added); });
    select(first);
    dialog->open();
    return dialog;
}

CommonsDialog* PhotosWindow::fillFromCommons(int count) {
    std::vector<int> breeds = breedsWithFewerThan(set_, count);
    if (breeds.empty()) {
        statusLabel()->setText(
            QStringLiteral("Každé plemeno už má aspoň %1.").arg(photographCount(count)));
        return nullptr;
    }
    return findOnCommons(std::move(breeds));
}

void PhotosWindow::commonsAdded(int index, int added) {
    importPause_.reset();
    view_->refreshRow(index);
    if (added > 0) {
        selectPicture(index, row(index)->photoCount() - 1);
        statusLabel()->setText(QStringLiteral("%1: přidáno %2 z Wikimedia Commons.")
                                   .arg(row(index)->breed(), photographCount(added)));
    }
}

void PhotosWindow::removePhoto(int index, int number) {
    if (busy()) { // the import may be writing into this very row
        statusLabel()->setText(QStringLiteral("Počkejte, ještě se ukládá předchozí fotografie."));
        return;
    }
    if (index < 0 || index >= rowCount()) {
        return;
    }
    QString problem;
    bool ok = false;
    {
        const ThumbnailPause pause(*view_);
        ok = set_.removePhoto(index, number, &problem);
    }
    view_->refreshRow(index);
    // The focus stays where it was: on the photograph that moved up into
    // the removed one's place, or the one before, or the row.
    PhotoRow* changed = row(index);
    const int left = changed->photoCount();
    const int picture = std::clamp(number - 1, 0, std::max(left - 1, 0));
    selectPicture(index, picture);
    if (left > 0) {
        changed->thumbnail(picture)->setFocus(Qt::OtherFocusReason);
    } else {
        changed->setFocus(Qt::OtherFocusReason);
    }
    if (!ok) {
        reportError(problem);
    } else if (left == 0) {
        statusLabel()->setText(QStringLiteral("%1: odebrána poslední fotografie, vrácena kresba.")
                                   .arg(changed->breed()));
    } else {
        statusLabel()->setText(QStringLiteral("%1: fotografie odebrána, teď má %2.")
                                   .arg(changed->breed(), photographCount(left)));
    }
}

PhotosWindow::~PhotosWindow() {
    // The import writes into the set; it is let finish, never cut off.
    if (worker_) {
        worker_->wait();
    }
    view_->stopThumbnails();
    importPause_.reset();
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
        statusLabel()->setText(QStringLiteral("Kvíz s touto sadou už běží."));
        return;
    }
    QString problem;
    if (!set_.ensureComplete(&problem)) {
        reportError(problem);
        return;
    }
    problem = quizLauncher_->start(set_.root());
    if (!problem.isEmpty()) {
        reportError(problem);
        return;
    }
    statusLabel()->setText(QStringLiteral("Kvíz spuštěn."));
}

void PhotosWindow::reportError(const QString& text) {
    // Started on a shared set that was refused, this window is not shown yet.
    showError(isVisible() ? this : nullptr, text);
}

} // namespace tarvelo
