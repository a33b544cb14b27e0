// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetView.h"

#include "BreedCatalogue.h"
#include "CreditText.h"
#include "CzechCounts.h"
#include "Fonts.h"
#include "PhotoSourcesDialog.h"
#include "PictureBox.h"
#include "QuizPicture.h"
#include "SetCredits.h"
#include "ThumbnailLoader.h"
#include "WindowText.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

namespace tarvelo {

namespace {
// Where the quiz places its picture box inside the box's black group.
constexpr int quizPictureInset = 16;
// The credit line takes the place of most of the inset below the picture.
constexpr int creditGap = 4;
} // namespace

SetView::SetView(RowEditing editing, QWidget* parent)
    : QWidget(parent), set_(QString(), QString()), loader_(new ThumbnailLoader(this)) {
    setColours(this, Qt::white, Qt::black);
    status_ = makeWindowText(QString(), fontB(), this);
    status_->setAccessibleName(QStringLiteral("Stav"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(makeTop());
    layout->addWidget(makeRows(editing), 1);
    layout->addWidget(status_);
    shown_.resize(rows_.size());
    connect(loader_, &ThumbnailLoader::pictureReady, this,
            [this](int index, int picture, const RowPicture& decoded) {
                row(index)->fillPicture(picture, decoded);
            });
    connect(loader_, &ThumbnailLoader::allReady, this, &SetView::thumbnailsReady);
}

// The loader, a child, waits for its thread before the rows go.
SetView::~SetView() = default;

// The preview in the middle as the quiz has it, the buttons about its
// photograph under it on the right: beside it they would make the window too
// wide for a small screen.
QGridLayout* SetView::makeTop() {
    top_ = new QGridLayout;
    top_->setContentsMargins(0, 0, 0, 0);
    top_->addWidget(makePreview(), 0, 1);
    sources_ = new QPushButton(QStringLiteral("Zdroje fotografií"), this);
    sources_->setFont(fontA());
    sources_->setAccessibleName(QStringLiteral("Zdroje fotografií: autoři a licence všech "
                                               "fotografií sady"));
    connect(sources_, &QPushButton::clicked, this, &SetView::showSources);
    previewButtons_ = new QHBoxLayout;
    previewButtons_->addStretch(1);
    previewButtons_->addWidget(sources_);
    top_->addLayout(previewButtons_, 1, 1);
    top_->setColumnStretch(0, 1);
    top_->setColumnStretch(2, 1);
    return top_;
}

void SetView::addPreviewButton(QPushButton* button) {
    button->setParent(this);
    previewButtons_->insertWidget(previewButtons_->indexOf(sources_), button);
    setTabOrder(credit_, button);
    setTabOrder(button, sources_);
}

QGroupBox* SetView::makePreview() {
    previewGroup_ = new QGroupBox(this);
    previewGroup_->setFont(fontA());
    setColours(previewGroup_, Qt::white, Qt::black);
    preview_ = new PictureBox(previewGroup_);
    preview_->setFixedSize(quizPictureSize);
    preview_->setAccessibleName(QStringLiteral("Náhled v kvízu"));
    previewProblem_ = makeWindowText(QString(), fontB(), previewGroup_);
    previewProblem_->setFixedSize(quizPictureSize);
    previewProblem_->setAlignment(Qt::AlignCenter);
    previewStack_ = new QStackedLayout;
    previewStack_->addWidget(preview_);
    previewStack_->addWidget(previewProblem_);
    // One line, always there, so that the preview keeps its place whether
    // the picture has a credit or not; a long one is cut at the picture's
    // edge rather than widening the window.
    credit_ = new QLabel(previewGroup_);
    credit_->setFont(fontB());
    setColours(credit_, Qt::white, Qt::black);
    credit_->setTextFormat(Qt::RichText);
    credit_->setOpenExternalLinks(true);
    credit_->setWordWrap(false);
    credit_->setFixedHeight(credit_->fontMetrics().lineSpacing());
    credit_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    credit_->setAccessibleName(QStringLiteral("Autor fotografie v náhledu"));
    auto* inner = new QVBoxLayout(previewGroup_);
    inner->setContentsMargins(quizPictureInset, quizPictureInset, quizPictureInset, creditGap);
    inner->setSpacing(creditGap);
    inner->addLayout(previewStack_);
    inner->addWidget(credit_);
    return previewGroup_;
}

QScrollArea* SetView::makeRows(RowEditing editing) {
    list_ = new PhotoRowList;
    list_->setAccessibleName(QStringLiteral("Plemena"));
    setColours(list_, Qt::white, Qt::black);
    auto* rowsLayout = new QVBoxLayout(list_);
    rowsLayout->setSpacing(4);
    for (int i = 0; i < breedCount; ++i) {
        auto* row = new PhotoRow(i, QString::fromUtf8(answerName(i)), editing, list_);
        rowsLayout->addWidget(row);
        rows_.push_back(row);
        connect(row, &PhotoRow::selectRequested, this, &SetView::select);
        connect(row, &PhotoRow::pictureSelected, this, &SetView::selectPicture);
        connect(row, &PhotoRow::stepRequested, this, &SetView::step);
    }
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(list_); // owned by the scroll area
    scroll_->setWidgetResizable(true);
    scroll_->setFocusPolicy(Qt::NoFocus);
    setColours(scroll_, Qt::white, Qt::black);
    // Tab walks the rows, their photographs and buttons in order.
    for (PhotoRow* row : rows_) {
        for (QWidget* stop : row->tabStops()) {
            if (lastTabStop_ != nullptr) {
                setTabOrder(lastTabStop_, stop);
            }
            lastTabStop_ = stop;
        }
    }
    return scroll_;
}

void SetView::showSet(const PhotoSet& set) {
    set_ = set;
    loader_->clear();
    for (int i = 0; i < rowCount(); ++i) {
        refreshRow(i);
    }
    if (selected_ >= 0) {
        row(selected_)->setSelected(false);
        selected_ = -1;
    }
    select(0);
}

void SetView::refreshRow(int index) {
    const QStringList photos = set_.photos(index);
    const bool drawing = photos.isEmpty();
    // Without photographs, obr/0 stands for the breed: its drawing, or
    // whatever went wrong with it.
    const QStringList paths = drawing ? QStringList{set_.picturePath(index)} : photos;
    shown_.at(static_cast<std::size_t>(index)) = paths;
    PhotoRow* changed = row(index);
    changed->showPictures(static_cast<int>(paths.size()), drawing);
    // Sharp on a high-density screen too: made in the screen's own pixels.
    const qreal ratio = devicePixelRatioF();
    loader_->load(index, set_, paths, changed->thumbnail()->contentsRect().size() * ratio, ratio);
    if (index == selected_) {
        selectedPicture_ = changed->selectedPicture();
    }
}

bool SetView::thumbnailsPending() const {
    return loader_->pending();
}

void SetView::stopThumbnails() {
    loader_->stop();
}

void SetView::pauseThumbnails() {
    loader_->pause();
}

void SetView::resumeThumbnails() {
    loader_->resume();
}

void SetView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (loader_->pending()) {
        return;
    }
    for (int i = 0; i < rowCount(); ++i) {
        if (row(i)->thumbnailsPending()) {
            refreshRow(i);
        }
    }
}

QSize SetView::sizeHint() const {
    const QMargins inner = list_->layout()->contentsMargins();
    const int frames = 2 * scroll_->frameWidth();
    const int width = rows_.front()->widthWithAllPhotos() + inner.left() + inner.right() +
                      scroll_->verticalScrollBar()->sizeHint().width() + frames;
    const int spacing = layout()->spacing();
    const int height = top_->sizeHint().height() + spacing +
                       rows_.front()->heightWithPhotos() * 5 / 2 + inner.top() + frames + spacing +
                       status_->sizeHint().height();
    return {std::max(width, top_->sizeHint().width()), height};
}

void SetView::select(int index) {
    if (index == selected_) {
        return;
    }
    selectPicture(index, 0);
}

void SetView::selectPicture(int index, int picture) {
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

void SetView::showPreview() {
    PhotoRow* shown = row(selected_);
    const QString path = shown_.at(static_cast<std::size_t>(selected_)).value(selectedPicture_);
    QString title = QStringLiteral("Náhled: ") + shown->breed();
    if (shown->photoCount() > 1) {
        title +=
            QStringLiteral(", fotografie ") + ofCount(selectedPicture_ + 1, shown->photoCount());
    }
    previewGroup_->setTitle(title);
    preview_->setAccessibleDescription(shown->breed());
    // A picture the quiz could not show is named, not drawn: its decode
    // would fail again in every paint of the preview. Not checked yet with
    // its row, it is checked here, as the preview decodes it whole anyway.
    std::optional<QString> problem = shown->isFilled(selectedPicture_)
                                         ? shown->problemOf(selectedPicture_)
                                         : set_.problemOf(path);
    if (!problem) {
        try {
            preview_->loadPicture(path.toStdString());
        } catch (const std::exception& error) {
            problem = QString::fromUtf8(error.what());
        }
    }
    previewProblem_->setText(problem.value_or(QString()));
    previewStack_->setCurrentWidget(problem ? static_cast<QWidget*>(previewProblem_) : preview_);
    refreshCredit();
}

QString SetView::selectedPath() const {
    if (selected_ < 0) {
        return {};
    }
    return shown_.at(static_cast<std::size_t>(selected_)).value(selectedPicture_);
}

bool SetView::photographSelected() const {
    return selected_ >= 0 && !row(selected_)->holdsDrawing() && !selectedPath().isEmpty();
}

void SetView::refreshCredit() {
    const std::optional<PhotoCredit> credit =
        photographSelected() ? creditOf(set_, selectedPath()) : std::nullopt;
    credit_->setText(credit ? creditLineHtml(*credit) : QString());
    credit_->setAccessibleDescription(credit ? creditLineText(*credit) : QString());
    // A stop for the keyboard only while it has a link to open.
    const bool linked = credit && credit_->text().contains(QStringLiteral("<a "));
    credit_->setTextInteractionFlags(linked ? Qt::LinksAccessibleByMouse |
                                                  Qt::LinksAccessibleByKeyboard
                                            : Qt::NoTextInteraction);
    credit_->setFocusPolicy(linked ? Qt::StrongFocus : Qt::NoFocus);
    emit previewChanged();
}

void SetView::showSources() {
    showPhotoSources(this, set_);
}

void SetView::step(int index, int step) {
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
    if (focused != nullptr && focused == from->addButton()) {
        target = to->addButton();
    }
    for (int n = 0; n < from->photoCount(); ++n) {
        const bool onButton = focused != nullptr && focused == from->removeButton(n);
        if ((focused == from->thumbnail(n) || onButton) && to->photoCount() > 0) {
            picture = std::min(n, to->photoCount() - 1);
            target = onButton ? static_cast<QWidget*>(to->removeButton(picture))
                              : to->thumbnail(picture);
        }
    }
    selectPicture(next, picture);
    target->setFocus(Qt::OtherFocusReason);
}

} // namespace tarvelo
