// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotosWindow.h"

#include "BreedCatalogue.h"
#include "Fonts.h"
#include "PaperTestDialog.h"
#include "PhotoFileDialog.h"
#include "PhotoRow.h"
#include "PhotosApplication.h"
#include "PictureBox.h"
#include "PictureSets.h"
#include "Thumbnail.h"
#include "Utf8Path.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <memory>

namespace tarvelo {

namespace {
QLabel* makeText(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(fontB());
    label->setWordWrap(true);
    setColours(label, Qt::white, Qt::black);
    return label;
}

QString fileName(const QString& path) {
    return QDir::toNativeSeparators(path);
}
} // namespace

PhotosWindow::PhotosWindow(PhotoSet set, QWidget* parent) : QWidget(parent), set_(std::move(set)) {
    setWindowTitle(photosTitle());
    setFont(fontA());
    setColours(this, Qt::white, Qt::black);

    where_ = makeText(QString(), this);
    quiz_ = new QPushButton(QStringLiteral("Spustit kvíz"), this);
    quiz_->setFont(fontA());
    connect(quiz_, &QPushButton::clicked, this, &PhotosWindow::startQuiz);
    auto* paperTest = new QPushButton(QStringLiteral("Vytisknout test…"), this);
    paperTest->setObjectName(QStringLiteral("paperTest"));
    paperTest->setFont(fontA());
    connect(paperTest, &QPushButton::clicked, this, [this] {
        const QString said = printPaperTest(this, set_);
        if (!said.isEmpty()) {
            status_->setText(said);
        }
    });

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
    list->setAccessibleName(QStringLiteral("Plemena"));
    setColours(list, Qt::white, Qt::black);
    auto* rowsLayout = new QVBoxLayout(list);
    rowsLayout->setSpacing(4);
    for (int i = 0; i < breedCount; ++i) {
        auto* row = new PhotoRow(i, QString::fromUtf8(answerName(i)), list);
        rowsLayout->addWidget(row);
        rows_.push_back(row);
        connect(row, &PhotoRow::chooseRequested, this, &PhotosWindow::askAndChoose);
        connect(row, &PhotoRow::restoreRequested, this, &PhotosWindow::restoreDrawing);
        connect(row, &PhotoRow::photoDropped, this, &PhotosWindow::choosePhoto);
        connect(row, &PhotoRow::selectRequested, this, &PhotosWindow::select);
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
    top_->addWidget(quiz_);
    top_->addWidget(paperTest);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top_);
    layout->addWidget(previewGroup_, 0, Qt::AlignHCenter);
    layout->addWidget(scroll_, 1);
    layout->addWidget(status_);
    resize(935, 760);

    // Tab walks the rows and their buttons in order, then the quiz button.
    QWidget* previous = nullptr;
    for (PhotoRow* row : rows_) {
        if (previous != nullptr) {
            setTabOrder(previous, row);
        }
        setTabOrder(row, row->chooseButton());
        setTabOrder(row->chooseButton(), row->restoreButton());
        previous = row->restoreButton();
    }
    setTabOrder(previous, quiz_);
    setTabOrder(quiz_, paperTest);

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

PhotosWindow::~PhotosWindow() {
    // The import writes into the set; it is let finish, never cut off.
    if (worker_) {
        worker_->wait();
    }
}

void PhotosWindow::select(int index) {
    if (index < 0 || index >= rowCount() || index == selected_) {
        return;
    }
    if (selected_ >= 0) {
        row(selected_)->setSelected(false);
    }
    selected_ = index;
    row(index)->setSelected(true);
    if (isVisible()) { // before the first layout the rows have no place yet
        scroll_->ensureWidgetVisible(row(index), 0, 0);
    }
    showPreview();
}

void PhotosWindow::showPreview() {
    PhotoRow* shown = row(selected_);
    previewGroup_->setTitle(QStringLiteral("Náhled: ") + shown->breed());
    preview_->setAccessibleDescription(shown->breed());
    // A picture the quiz could not show is named, not drawn: its decode
    // would fail again in every paint of the preview.
    std::optional<QString> problem = shown->problem();
    if (!problem) {
        try {
            preview_->loadPicture(set_.picturePath(selected_).toStdString());
        } catch (const std::exception& error) {
            problem = QString::fromUtf8(error.what());
        }
    }
    preview_->setVisible(!problem);
    previewProblem_->setVisible(problem.has_value());
    previewProblem_->setText(problem.value_or(QString()));
}

void PhotosWindow::refreshRow(int index) {
    // Sharp on a high-density screen too: made in the screen's own pixels.
    const qreal ratio = devicePixelRatioF();
    QImage thumbnail =
        thumbnailOf(set_.picturePath(index), row(index)->thumbnail()->size() * ratio);
    thumbnail.setDevicePixelRatio(ratio);
    row(index)->showPicture(thumbnail, set_.isDrawing(index), set_.problem(index));
}

void PhotosWindow::step(int index, int step) {
    const int next = index + step;
    if (next < 0 || next >= rowCount()) {
        return;
    }
    // The focus keeps its column: from a button to the same button below.
    QWidget* focused = QApplication::focusWidget();
    PhotoRow* from = row(index);
    PhotoRow* to = row(next);
    QWidget* target = to;
    if (focused == from->chooseButton()) {
        target = to->chooseButton();
    } else if (focused == from->restoreButton() && to->restoreButton()->isEnabled()) {
        target = to->restoreButton();
    }
    select(next);
    target->setFocus(Qt::OtherFocusReason);
}

void PhotosWindow::askAndChoose(int index) {
    if (busy()) {
        return;
    }
    const QString file = askForPhoto(this, row(index)->breed());
    if (!file.isEmpty()) {
        choosePhoto(index, file);
    }
}

void PhotosWindow::choosePhoto(int index, const QString& file) {
    if (busy()) {
        status_->setText(QStringLiteral("Počkejte, ještě se ukládá předchozí fotografie."));
        return;
    }
    select(index);
    status_->setText(
        QStringLiteral("Ukládám fotografii %1 jako %2…").arg(fileName(file), row(index)->breed()));
    QApplication::setOverrideCursor(Qt::WaitCursor);

    // A large photograph takes a while to read; the window keeps painting.
    auto result = std::make_shared<ImportResult>();
    worker_ = QThread::create(
        [set = set_, index, file, result]() mutable { *result = set.choose(index, file); });
    connect(worker_, &QThread::finished, this, [this, index, file, result] {
        worker_->deleteLater();
        worker_ = nullptr;
        importDone(index, file, *result);
    });
    worker_->start();
}

void PhotosWindow::importDone(int index, const QString& file, const ImportResult& result) {
    QApplication::restoreOverrideCursor();
    refreshRow(index);
    if (index == selected_) {
        showPreview();
    }
    if (result.ok) {
        status_->setText(QStringLiteral("%1: uložena fotografie %2 (%3 × %4 pixelů).")
                             .arg(row(index)->breed(), fileName(file))
                             .arg(result.storedSize.width())
                             .arg(result.storedSize.height()));
    } else {
        status_->setText(QStringLiteral("%1: nic se nezměnilo.").arg(row(index)->breed()));
        reportError(result.message);
    }
    emit importFinished(index, result.ok);
}

void PhotosWindow::restoreDrawing(int index) {
    if (busy()) { // the import may be writing this very picture
        status_->setText(QStringLiteral("Počkejte, ještě se ukládá předchozí fotografie."));
        return;
    }
    QString problem;
    const bool ok = set_.restoreDrawing(index, &problem);
    refreshRow(index);
    if (index == selected_) {
        showPreview();
    } else {
        select(index);
    }
    if (ok) {
        status_->setText(QStringLiteral("%1: vrácena kresba.").arg(row(index)->breed()));
    } else {
        reportError(problem);
    }
}

void PhotosWindow::startQuiz() {
    const QString folder = QCoreApplication::applicationDirPath();
    const QString quiz = QStandardPaths::findExecutable(QStringLiteral("tarvelo"), {folder});
    if (quiz.isEmpty()) {
        reportError(
            QStringLiteral("Kvíz tarvelo nebyl nalezen ve složce %1.").arg(fileName(folder)));
        return;
    }
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
    QMessageBox::critical(this, photosTitle(), text);
}

} // namespace tarvelo
