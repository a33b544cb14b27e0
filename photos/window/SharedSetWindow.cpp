// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedSetWindow.h"

#include "Fonts.h"
#include "ForeignText.h"
#include "MessageBoxes.h"
#include "PhotosApplication.h"
#include "PhotosWindow.h"
#include "QuizProgram.h"
#include "Utf8Path.h"

#include <QCloseEvent>
#include <QDir>
#include <QEventLoopLocker>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvelo {

namespace {
QLabel* makeText(const QString& text, const QFont& font, QWidget* parent) {
    auto* label = new QLabel(parent);
    // The set's name and note come from the file: markup in them is shown
    // as written, never drawn, its images never loaded, its links dead.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(font);
    label->setWordWrap(true);
    // A word without a place to wrap is cut at the window's edge rather
    // than widening the window past the screen.
    QSizePolicy policy = label->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    label->setSizePolicy(policy);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setColours(label, Qt::white, Qt::black);
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
    : file_(file), info_(std::move(info)), folder_(std::move(folder)) {
    const QString shown = quotedName(QDir::toNativeSeparators(file_));
    setWindowTitle(QStringLiteral("%1 (jen k prohlížení) – %2").arg(shownName(), photosTitle()));
    setAccessibleName(windowTitle());
    setAccessibleDescription(
        QStringLiteral("Sada ze souboru %1, jen k prohlížení: fotografie v ní nelze přidávat "
                       "ani odebírat.")
            .arg(shown));
    setFont(fontA());
    setColours(this, Qt::white, Qt::black);

    name_ = makeText(
        QStringLiteral("Sada „%1“ ze souboru %2 – jen k prohlížení").arg(shownName(), shown),
        fontA(), this);
    name_->setAccessibleName(QStringLiteral("Název sady"));
    const QString note = shownSetNote(info_.note);
    note_ = makeText(note, fontB(), this);
    note_->setAccessibleName(QStringLiteral("Poznámka"));
    note_->setVisible(!note.isEmpty());

    play_ = makeButton(QStringLiteral("Hrát"), this);
    play_->setAccessibleName(QStringLiteral("Hrát kvíz se sadou ") + shownName());
    connect(play_, &QPushButton::clicked, this, &SharedSetWindow::play);
    useOwn_ = makeButton(QStringLiteral("Použít jako moji sadu"), this);
    connect(useOwn_, &QPushButton::clicked, this, [this] { emit useRequested(false); });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(play_);
    buttons->addWidget(useOwn_);
    if (offerForAll) {
        useForAll_ =
            makeButton(QStringLiteral("Použít pro všechny uživatele tohoto počítače"), this);
        connect(useForAll_, &QPushButton::clicked, this, [this] { emit useRequested(true); });
        buttons->addWidget(useForAll_);
    }
    buttons->addStretch(1);

    photos_ = new PhotosWindow(std::move(unpacked), this);
    photos_->setReadOnly();

    auto* text = new QVBoxLayout;
    text->addWidget(name_);
    text->addWidget(note_);
    text->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(text, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(photos_, 1);
    resize(photos_->size().width(), photos_->size().height() + top->sizeHint().height());
    setTabOrder(play_, useOwn_);
    if (useForAll_ != nullptr) {
        setTabOrder(useOwn_, useForAll_);
    }
}

// Torn down while the quiz still plays, as when the program ends: the quiz
// process goes with the window, and its end must not reach a window that is
// half gone.
SharedSetWindow::~SharedSetWindow() {
    if (quiz_ != nullptr) {
        quiz_->disconnect(this);
    }
}

QString SharedSetWindow::shownName() const {
    const QString name = shownSetName(info_.name);
    return name.isEmpty() ? shownSetName(QFileInfo(file_).completeBaseName()) : name;
}

const PhotoSet& SharedSetWindow::unpacked() const {
    return photos_->photoSet();
}

bool SharedSetWindow::quizRunning() const {
    return quiz_ != nullptr;
}

void SharedSetWindow::play() {
    if (quizRunning()) {
        photos_->statusLabel()->setText(QStringLiteral("Kvíz s touto sadou už běží."));
        return;
    }
    QString program = quizProgram_;
    if (program.isEmpty()) {
        const QuizProgram found = findQuiz();
        if (found.path.isEmpty()) {
            showError(this, found.problem);
            return;
        }
        program = found.path;
    }
    // The quiz reads obr/0/<n>.jpg under its working directory: the unpacked
    // folder, which therefore stays until the quiz ends.
    quiz_ = new QProcess(this);
    quiz_->setProgram(program);
    quiz_->setWorkingDirectory(unpacked().root());
    quiz_->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(quiz_, &QProcess::finished, this, &SharedSetWindow::quizEnded);
    connect(quiz_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            showError(this, QStringLiteral("Kvíz %1 se nepodařilo spustit.")
                                .arg(quotedName(QDir::toNativeSeparators(quiz_->program()))));
            quizEnded();
        }
    });
    quizLock_ = std::make_unique<QEventLoopLocker>();
    quiz_->start();
    photos_->statusLabel()->setText(QStringLiteral("Kvíz spuštěn."));
}

void SharedSetWindow::quizEnded() {
    if (quiz_ == nullptr) {
        return;
    }
    quiz_->deleteLater();
    quiz_ = nullptr;
    quizLock_.reset();
    photos_->statusLabel()->setText(QStringLiteral("Kvíz skončil."));
    emit quizFinished();
    if (closed_) {
        emit done();
    }
}

void SharedSetWindow::closeEvent(QCloseEvent* event) {
    // Closed while the quiz plays from the folder: the window goes out of
    // sight, and the folder after the quiz.
    closed_ = true;
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
