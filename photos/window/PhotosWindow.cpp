// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotosWindow.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "CzechCounts.h"
#include "Fonts.h"
#include "ForeignText.h"
#include "MessageBoxes.h"
#include "PaperTestDialog.h"
#include "PhotoFileDialog.h"
#include "PhotoRow.h"
#include "PhotosApplication.h"
#include "PictureBox.h"
#include "PictureSets.h"
#include "QuizProgram.h"
#include "SaveSetDialog.h"
#include "SetReplacement.h"
#include "SharedSetWindow.h"
#include "Thumbnail.h"
#include "Utf8Path.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <memory>
#include <new>

namespace tarvelo {

namespace {
QLabel* makeText(const QString& text, QWidget* parent) {
    auto* label = new QLabel(parent);
    // Status and problems quote file names, which may look like markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(fontB());
    label->setWordWrap(true);
    // A long path without a place to wrap is cut at the window's edge
    // rather than widening the window past the screen.
    QSizePolicy policy = label->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    label->setSizePolicy(policy);
    setColours(label, Qt::white, Qt::black);
    return label;
}

QString fileName(const QString& path) {
    return quotedName(QDir::toNativeSeparators(path));
}

// A window frame's title bar and borders, which the size asked for leaves out.
const QSize frameAllowance(16, 40);
// The height the window asks for: 768 less a 40-pixel taskbar, the frame
// and some room to spare.
constexpr int preferredHeight = 768 - 40 - 40 - 48;
} // namespace

QSize windowSizeFor(const QSize& wanted, const QRect& available) {
    return wanted.boundedTo(available.size() - frameAllowance);
}

PhotosWindow::PhotosWindow(PhotoSet set, QWidget* parent) : QWidget(parent), set_(std::move(set)) {
    setWindowTitle(photosTitle());
    setFont(fontA());
    setColours(this, Qt::white, Qt::black);

    where_ = makeText(QString(), this);
    quiz_ = new QPushButton(QStringLiteral("Spustit kvíz"), this);
    quiz_->setFont(fontA());
    connect(quiz_, &QPushButton::clicked, this, &PhotosWindow::startQuiz);
    auto* paperTest = new QPushButton(QStringLiteral("Vytisknout test…"), this);
    paperTest_ = paperTest;
    paperTest->setObjectName(QStringLiteral("paperTest"));
    paperTest->setFont(fontA());
    connect(paperTest, &QPushButton::clicked, this, [this] {
        const QString said = printPaperTest(this, set_);
        if (!said.isEmpty()) {
            status_->setText(said);
        }
    });
    saveSet_ = new QPushButton(QStringLiteral("Uložit sadu do souboru…"), this);
    saveSet_->setFont(fontA());
    saveSet_->setAccessibleName(QStringLiteral("Uložit sadu do souboru pro kolegy"));
    connect(saveSet_, &QPushButton::clicked, this, [this] {
        const QString said = saveSetToFile(this, set_);
        if (!said.isEmpty()) {
            status_->setText(said);
        }
    });
    openSet_ = new QPushButton(QStringLiteral("Otevřít sadu ze souboru…"), this);
    openSet_->setFont(fontA());
    openSet_->setAccessibleName(QStringLiteral("Otevřít sadu ze souboru k prohlížení"));
    connect(openSet_, &QPushButton::clicked, this, &PhotosWindow::askAndOpenSharedSet);

    // The quiz's own picture area: 641 x 233 on black, drawn by the quiz's box.
    previewGroup_ = new QGroupBox(this);
    previewGroup_->setFont(fontA());
    setColours(previewGroup_, Qt::white, Qt::black);
    previewGroup_->setFixedSize(641 + 2 * 16, 233 + 2 * 16);
    preview_ = new PictureBox(previewGroup_);
    preview_->setGeometry(16, 16, 641, 233);
    preview_->setAccessibleName(QStringLiteral("Náhled v kvízu"));
    previewProblem_ = makeText(QString(), previewGroup_);
    previewProblem_->setGeometry(16, 16, 641, 233);
    previewProblem_->setAlignment(Qt::AlignCenter);
    previewProblem_->hide();

    auto* list = new PhotoRowList;
    list_ = list;
    list->setAccessibleName(QStringLiteral("Plemena"));
    setColours(list, Qt::white, Qt::black);
    auto* rowsLayout = new QVBoxLayout(list);
    rowsLayout->setSpacing(4);
    for (int i = 0; i < breedCount; ++i) {
        auto* row = new PhotoRow(i, QString::fromUtf8(answerName(i)), list);
        rowsLayout->addWidget(row);
        rows_.push_back(row);
        connect(row, &PhotoRow::addRequested, this, &PhotosWindow::askAndAdd);
        connect(row, &PhotoRow::removeRequested, this, &PhotosWindow::removePhoto);
        connect(row, &PhotoRow::photosDropped, this, &PhotosWindow::addPhotos);
        connect(row, &PhotoRow::selectRequested, this, &PhotosWindow::select);
        connect(row, &PhotoRow::pictureSelected, this, &PhotosWindow::selectPicture);
        connect(row, &PhotoRow::stepRequested, this, &PhotosWindow::step);
    }
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(list);
    scroll_->setWidgetResizable(true);
    scroll_->setFocusPolicy(Qt::NoFocus);
    setColours(scroll_, Qt::white, Qt::black);

    status_ = makeText(QString(), this);
    status_->setAccessibleName(QStringLiteral("Stav"));

    top_ = new QHBoxLayout;
    top_->addWidget(where_, 1);
    auto* setButtons = new QVBoxLayout;
    setButtons->addWidget(quiz_);
    setButtons->addWidget(paperTest);
    top_->addLayout(setButtons);
    auto* fileButtons = new QVBoxLayout;
    fileButtons->addWidget(saveSet_);
    fileButtons->addWidget(openSet_);
    top_->addLayout(fileButtons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top_);
    layout->addWidget(previewGroup_, 0, Qt::AlignHCenter);
    layout->addWidget(scroll_, 1);
    layout->addWidget(status_);
    shown_.resize(rows_.size());
    // The rows scroll; the window fits the screen it opens on.
    resize(windowSizeFor(sizeHint(), screen()->availableGeometry()));

    // Tab walks the rows, their photographs and buttons in order, then the
    // quiz button.
    QWidget* previous = nullptr;
    for (PhotoRow* row : rows_) {
        for (QWidget* stop : row->tabStops()) {
            if (previous != nullptr) {
                setTabOrder(previous, stop);
            }
            previous = stop;
        }
    }
    setTabOrder(previous, quiz_);
    setTabOrder(quiz_, paperTest);
    setTabOrder(paperTest, saveSet_);
    setTabOrder(saveSet_, openSet_);

    edit(set_);
    rows_.front()->setFocus(Qt::OtherFocusReason);
}

void PhotosWindow::edit(PhotoSet set) {
    set_ = std::move(set);
    where_->setText(QStringLiteral("Kvíz hraje obrázky ze složky %1. Každá změna se uloží hned.")
                        .arg(fileName(set_.root())));
    // The set is always complete: a first use copies in all the drawings.
    QString problem;
    if (!set_.ensureComplete(&problem)) {
        QTimer::singleShot(0, this, [this, problem] { reportError(problem); });
    }
    for (int i = 0; i < breedCount; ++i) {
        refreshRow(i);
    }
    if (selected_ >= 0) {
        row(selected_)->setSelected(false);
        selected_ = -1;
    }
    select(0);
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
        status_->setText(QStringLiteral("Počkejte, až se fotografie uloží."));
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

void PhotosWindow::setReadOnly() {
    readOnly_ = true;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{where_, quiz_, paperTest_, saveSet_, openSet_}) {
        widget->hide();
    }
    for (PhotoRow* row : rows_) {
        row->setReadOnly(true);
    }
}

void PhotosWindow::askAndOpenSharedSet() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Otevřít sadu ze souboru"), folder,
        QStringLiteral("Sada Tarvela (*.tarvelo);;Všechny soubory (*)"));
    if (!file.isEmpty()) {
        openSharedSet(file);
    }
}

SharedSetWindow* PhotosWindow::openSharedSet(const QString& file) {
    // The class set is offered to whoever may write it, as in the choice above.
    const bool offerForAll =
        forAll_ && !classSetRefusal(pathFromUtf8(forAll_->root().toStdString()));
    OpenedSharedSet opened =
        openSharedSetFile(file, set_.drawingsDir(), offerForAll, isVisible() ? this : nullptr);
    if (!opened.window) {
        if (opened.problem.isEmpty()) {
            status_->setText(QStringLiteral("Otevírání sady bylo zrušeno."));
        } else {
            reportError(opened.problem);
        }
        return nullptr;
    }
    SharedSetWindow* shared = opened.window.get();
    shared_.push_back(std::move(opened.window));
    connect(shared, &SharedSetWindow::useRequested, this,
            [this, shared](bool forAll) { useSharedSet(shared, forAll); });
    // It goes once the signal has returned, taking its folder with it.
    connect(shared, &SharedSetWindow::done, this, [this, shared] {
        QTimer::singleShot(0, this, [this, shared] {
            std::erase_if(shared_, [shared](const auto& window) { return window.get() == shared; });
        });
    });
    shared->show();
    shared->activateWindow();
    status_->setText(
        QStringLiteral("Otevřena sada „%1“ jen k prohlížení.").arg(shared->shownName()));
    return shared;
}

void PhotosWindow::useSharedSet(SharedSetWindow* shared, bool forAll) {
    if (busy()) {
        showInformation(shared, QStringLiteral("Počkejte, až se fotografie uloží."));
        return;
    }
    if (forAll && !forAll_) {
        return;
    }
    PhotoSet target = forAll ? *forAll_ : (own_ ? *own_ : set_);
    if (forAll) {
        if (const auto refusal = classSetRefusal(pathFromUtf8(target.root().toStdString()))) {
            showError(shared, QString::fromStdString(*refusal));
            return;
        }
    }
    if (!askYesNo(shared, QStringLiteral("Fotografie ze sady „%1“ nahradí všechny dosavadní "
                                         "fotografie %2 ve složce %3. Pokračovat?")
                              .arg(shared->shownName(),
                                   forAll ? QStringLiteral("sady pro všechny uživatele")
                                          : QStringLiteral("vaší sady"),
                                   fileName(target.root())))) {
        return;
    }
    if (const auto failed = replaceSetPictures(target, shared->unpacked())) {
        showError(shared, *failed);
        edit(set_); // whatever did get written is shown
        return;
    }
    if (forAllChoice_ != nullptr) {
        const QSignalBlocker blocker(forAllChoice_);
        (forAll ? forAllChoice_ : ownChoice_)->setChecked(true);
    }
    edit(target);
    status_->setText(QStringLiteral("Sada „%1“ je teď %2.")
                         .arg(shared->shownName(), forAll
                                                       ? QStringLiteral("sadou pro všechny "
                                                                        "uživatele tohoto počítače")
                                                       : QStringLiteral("vaší sadou")));
    show();
    raise();
    activateWindow();
    shared->close();
}

PhotosWindow::~PhotosWindow() {
    // The import writes into the set; it is let finish, never cut off.
    if (worker_) {
        worker_->wait();
    }
}

QSize PhotosWindow::sizeHint() const {
    const QMargins outer = layout()->contentsMargins();
    const QMargins inner = list_->layout()->contentsMargins();
    const int width = rows_.front()->widthWithAllPhotos() + inner.left() + inner.right() +
                      scroll_->verticalScrollBar()->sizeHint().width() + 2 * scroll_->frameWidth() +
                      outer.left() + outer.right();
    return {std::max(width, previewGroup_->width() + outer.left() + outer.right()),
            preferredHeight};
}

void PhotosWindow::select(int index) {
    if (index == selected_) {
        return;
    }
    selectPicture(index, 0);
}

void PhotosWindow::selectPicture(int index, int picture) {
    if (index < 0 || index >= rowCount()) {
        return;
    }
    if (selected_ >= 0 && selected_ != index) {
        row(selected_)->setSelected(false);
    }
    selected_ = index;
    row(index)->setSelected(true, picture);
    selectedPicture_ = row(index)->selectedPicture();
    if (isVisible()) { // before the first layout the rows have no place yet
        scroll_->ensureWidgetVisible(row(index), 0, 0);
    }
    showPreview();
}

void PhotosWindow::showPreview() {
    PhotoRow* shown = row(selected_);
    const QStringList& paths = shown_.at(static_cast<std::size_t>(selected_));
    QString title = QStringLiteral("Náhled: ") + shown->breed();
    if (shown->photoCount() > 1) {
        title +=
            QStringLiteral(", fotografie ") + ofCount(selectedPicture_ + 1, shown->photoCount());
    }
    previewGroup_->setTitle(title);
    preview_->setAccessibleDescription(shown->breed());
    // A picture the quiz could not show is named, not drawn: its decode
    // would fail again in every paint of the preview.
    std::optional<QString> problem = shown->problemOf(selectedPicture_);
    if (!problem) {
        try {
            preview_->loadPicture(paths.value(selectedPicture_).toStdString());
        } catch (const std::exception& error) {
            problem = QString::fromUtf8(error.what());
        }
    }
    preview_->setVisible(!problem);
    previewProblem_->setVisible(problem.has_value());
    previewProblem_->setText(problem.value_or(QString()));
}

void PhotosWindow::refreshRow(int index) {
    const QStringList photos = set_.photos(index);
    const bool drawing = photos.isEmpty();
    // Without photographs, obr/0 stands for the breed: its drawing, or
    // whatever went wrong with it.
    const QStringList paths = drawing ? QStringList{set_.picturePath(index)} : photos;
    // Sharp on a high-density screen too: made in the screen's own pixels.
    const qreal ratio = devicePixelRatioF();
    const QSize box = row(index)->thumbnail()->contentsRect().size();
    std::vector<RowPicture> pictures;
    for (const QString& path : paths) {
        QImage thumbnail = thumbnailOf(path, box * ratio);
        thumbnail.setDevicePixelRatio(ratio);
        pictures.push_back({thumbnail, drawing ? set_.problem(index) : set_.problemOf(path)});
    }
    shown_.at(static_cast<std::size_t>(index)) = paths;
    row(index)->showPictures(pictures, drawing);
    if (index == selected_) {
        selectedPicture_ = row(index)->selectedPicture();
    }
}

void PhotosWindow::step(int index, int step) {
    const int next = index + step;
    if (next < 0 || next >= rowCount()) {
        return;
    }
    // The focus keeps its column: from a photograph or its button to the
    // same one below, or the nearest one it has.
    QWidget* focused = QApplication::focusWidget();
    PhotoRow* from = row(index);
    PhotoRow* to = row(next);
    QWidget* target = to;
    int picture = 0;
    if (focused == from->addButton()) {
        target = to->addButton();
    }
    for (int n = 0; n < from->photoCount(); ++n) {
        const bool onButton = focused == from->removeButton(n);
        if ((focused == from->thumbnail(n) || onButton) && to->photoCount() > 0) {
            picture = std::min(n, to->photoCount() - 1);
            target = onButton ? static_cast<QWidget*>(to->removeButton(picture))
                              : to->thumbnail(picture);
        }
    }
    selectPicture(next, picture);
    target->setFocus(Qt::OtherFocusReason);
}

void PhotosWindow::askAndAdd(int index) {
    if (busy() || readOnly_) {
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
        status_->setText(QStringLiteral("Počkejte, ještě se ukládá předchozí fotografie."));
        return;
    }
    if (readOnly_ || files.isEmpty() || index < 0 || index >= rowCount()) {
        return;
    }
    select(index);
    const int count = static_cast<int>(files.size());
    status_->setText(count == 1 ? QStringLiteral("Ukládám fotografii %1 jako %2…")
                                      .arg(fileName(files.front()), row(index)->breed())
                                : QStringLiteral("Ukládám %1…").arg(ofCount(1, count)));
    QApplication::setOverrideCursor(Qt::WaitCursor);

    // Large photographs take a while to read; the window keeps painting and
    // the status line counts them.
    auto results = std::make_shared<std::vector<ImportResult>>();
    results->reserve(static_cast<std::size_t>(count));
    worker_ = QThread::create([this, set = set_, index, files, count, results]() mutable {
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                QMetaObject::invokeMethod(
                    this,
                    [this, i, count] {
                        status_->setText(QStringLiteral("Ukládám %1…").arg(ofCount(i + 1, count)));
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
        importDone(index, files, *results);
    });
    worker_->start();
}

void PhotosWindow::importDone(int index, const QStringList& files,
                              const std::vector<ImportResult>& results) {
    QApplication::restoreOverrideCursor();
    refreshRow(index);
    QStringList failures;
    for (const ImportResult& result : results) {
        if (!result.ok) {
            failures.push_back(result.message);
        }
    }
    const int stored = static_cast<int>(results.size()) - static_cast<int>(failures.size());
    // The last one added is previewed.
    selectPicture(index, stored > 0 ? row(index)->photoCount() - 1 : selectedPicture_);
    const QString breed = row(index)->breed();
    if (files.size() == 1 && stored == 1) {
        status_->setText(QStringLiteral("%1: uložena fotografie %2 (%3 × %4 pixelů).")
                             .arg(breed, fileName(files.front()))
                             .arg(results.front().storedSize.width())
                             .arg(results.front().storedSize.height()));
    } else if (stored == 0) {
        status_->setText(QStringLiteral("%1: nic se nezměnilo.").arg(breed));
    } else {
        status_->setText(QStringLiteral("%1: uloženo %2.")
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

void PhotosWindow::removePhoto(int index, int number) {
    if (busy()) { // the import may be writing into this very row
        status_->setText(QStringLiteral("Počkejte, ještě se ukládá předchozí fotografie."));
        return;
    }
    if (readOnly_ || index < 0 || index >= rowCount()) {
        return;
    }
    QString problem;
    const bool ok = set_.removePhoto(index, number, &problem);
    refreshRow(index);
    // The focus stays where it was: on the photograph that moved up into
    // the removed one's place, or the one before, or the row.
    PhotoRow* changed = row(index);
    const int left = changed->photoCount();
    const int picture = std::clamp(number - 1, 0, std::max(left - 1, 0));
    selected_ = -1; // shown anew even where the same row and number stay selected
    selectPicture(index, picture);
    if (left > 0) {
        changed->thumbnail(picture)->setFocus(Qt::OtherFocusReason);
    } else {
        changed->setFocus(Qt::OtherFocusReason);
    }
    if (!ok) {
        reportError(problem);
    } else if (left == 0) {
        status_->setText(QStringLiteral("%1: odebrána poslední fotografie, vrácena kresba.")
                             .arg(changed->breed()));
    } else {
        status_->setText(QStringLiteral("%1: fotografie odebrána, teď má %2.")
                             .arg(changed->breed(), photographCount(left)));
    }
}

void PhotosWindow::startQuiz() {
    const QuizProgram found = findQuiz();
    if (found.path.isEmpty()) {
        reportError(found.problem);
        return;
    }
    const QString& quiz = found.path;
    QString problem;
    if (!set_.ensureComplete(&problem)) {
        reportError(problem);
        return;
    }
    // The quiz reads obr/0/<n>.jpg under its working directory.
    if (!QProcess::startDetached(quiz, {}, set_.root())) {
        reportError(QStringLiteral("Kvíz %1 se nepodařilo spustit.").arg(fileName(quiz)));
        return;
    }
    status_->setText(QStringLiteral("Kvíz spuštěn."));
}

void PhotosWindow::reportError(const QString& text) {
    // Started on a shared set that was refused, this window is not shown yet.
    showError(isVisible() ? this : nullptr, text);
}

} // namespace tarvelo
