// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedSetWindow.h"

#include "Fonts.h"
#include "ForeignText.h"
#include "MessageBoxes.h"
#include "PhotosApplication.h"
#include "QuizLauncher.h"
#include "SetView.h"
#include "WindowSize.h"
#include "WindowText.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tarvelo {

namespace {
// The set's name and note come from the file: markup in them is shown as
// written, never drawn, its images never loaded, its links dead.
QLabel* makeText(const QString& text, const QFont& font, QWidget* parent) {
    QLabel* label = makeWindowText(text, font, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QPushButton* makeButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setFont(fontA());
    return button;
}
} // namespace

SharedSetWindow::SharedSetWindow(const QString& file, SharedSetInfo info,
                                 std::unique_ptr<TemporaryFolder> folder, PhotoSet unpacked,
                                 bool offerForAll)
    : file_(file), info_(std::move(info)), folder_(std::move(folder)),
      view_(new SetView(RowEditing::ReadOnly, this)), quiz_(new QuizLauncher(this)) {
    setWindowTitle(QStringLiteral("%1 (jen k prohlížení) – %2").arg(shownName(), photosTitle()));
    setAccessibleName(windowTitle());
    setAccessibleDescription(
        QStringLiteral("Sada ze souboru %1, jen k prohlížení: fotografie v ní nelze přidávat "
                       "ani odebírat.")
            .arg(quotedName(QDir::toNativeSeparators(file_))));
    setFont(fontA());
    setColours(this, Qt::white, Qt::black);

    auto* top = new QHBoxLayout;
    top->addLayout(makeHeading(), 1);
    top->addLayout(makeButtons(offerForAll));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(view_, 1);
    view_->showSet(unpacked);
    connect(quiz_, &QuizLauncher::ended, this, &SharedSetWindow::quizEnded);
    connect(quiz_, &QuizLauncher::failed, this,
            [this](const QString& problem) { showError(this, problem); });
    resize(windowSizeFor(sizeHint(), screen()->availableGeometry()));
}

QLayout* SharedSetWindow::makeHeading() {
    const QString shown = quotedName(QDir::toNativeSeparators(file_));
    name_ = makeText(
        QStringLiteral("Sada „%1“ ze souboru %2 – jen k prohlížení").arg(shownName(), shown),
        fontA(), this);
    name_->setAccessibleName(QStringLiteral("Název sady"));
    const QString note = shownSetNote(info_.note);
    note_ = makeText(note, fontB(), this);
    note_->setAccessibleName(QStringLiteral("Poznámka"));
    note_->setVisible(!note.isEmpty());
    auto* text = new QVBoxLayout;
    text->addWidget(name_);
    text->addWidget(note_);
    text->addStretch(1);
    return text;
}

QLayout* SharedSetWindow::makeButtons(bool offerForAll) {
    play_ = makeButton(QStringLiteral("Hrát"), this);
    play_->setAccessibleName(QStringLiteral("Hrát kvíz se sadou ") + shownName());
    connect(play_, &QPushButton::clicked, this, &SharedSetWindow::play);
    useOwn_ = makeButton(QStringLiteral("Použít jako moji sadu"), this);
    connect(useOwn_, &QPushButton::clicked, this, [this] { emit useRequested(false); });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(play_);
    buttons->addWidget(useOwn_);
    setTabOrder(play_, useOwn_);
    if (offerForAll) {
        useForAll_ =
            makeButton(QStringLiteral("Použít pro všechny uživatele tohoto počítače"), this);
        connect(useForAll_, &QPushButton::clicked, this, [this] { emit useRequested(true); });
        buttons->addWidget(useForAll_);
        setTabOrder(useOwn_, useForAll_);
    }
    buttons->addStretch(1);
    return buttons;
}

// Its folder goes first, with no thumbnail still being read from it.
SharedSetWindow::~SharedSetWindow() {
    view_->stopThumbnails();
}

QString SharedSetWindow::shownName() const {
    const QString name = shownSetName(info_.name);
    return name.isEmpty() ? shownSetName(QFileInfo(file_).completeBaseName()) : name;
}

const PhotoSet& SharedSetWindow::unpacked() const {
    return view_->photoSet();
}

bool SharedSetWindow::quizRunning() const {
    return quiz_->running();
}

void SharedSetWindow::setQuizProgram(const QString& program) {
    quiz_->setProgram(program);
}

void SharedSetWindow::play() {
    if (quizRunning()) {
        view_->statusLabel()->setText(QStringLiteral("Kvíz s touto sadou už běží."));
        return;
    }
    const QString problem = quiz_->start(unpacked().root());
    if (!problem.isEmpty()) {
        showError(this, problem);
        return;
    }
    view_->statusLabel()->setText(QStringLiteral("Kvíz spuštěn."));
}

void SharedSetWindow::quizEnded() {
    view_->statusLabel()->setText(QStringLiteral("Kvíz skončil."));
    emit quizFinished();
    if (closed_) {
        emit done();
    }
}

void SharedSetWindow::closeEvent(QCloseEvent* event) {
    // Closed while the quiz plays from the folder: the window goes out of
    // sight, and the folder after the quiz.
    closed_ = true;
    view_->stopThumbnails();
    event->accept();
    if (!quizRunning()) {
        emit done();
    }
}

bool isSharedSetFile(const QString& argument) {
    return argument.endsWith(QStringLiteral(".tarvelo"), Qt::CaseInsensitive) &&
           !QFileInfo(argument).isDir();
}

} // namespace tarvelo
