// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StudyWindow.h"

#include "Accessibility.h"
#include "BreedCatalogue.h"
#include "CzechCounts.h"
#include "Fonts.h"
#include "PictureBox.h"
#include "StudyCredit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <exception>

namespace tarvelo {

namespace {
// Small enough for a 1366 × 768 screen at twice the size.
constexpr QSize clientSize(660, 340);

QLabel* makeLabel(QWidget* parent, QRect geometry, const QFont& font) {
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText); // credits come from outside
    setColours(label, Qt::white, Qt::black);
    return label;
}

// The window's keys do everything, so no button keeps Space or an arrow.
QPushButton* makeButton(QWidget* parent, QRect geometry, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(geometry);
    button->setFont(fontB());
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
} // namespace

StudyWindow::StudyWindow(StudyDeck deck, std::function<void()> closed)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      deck_(std::move(deck)), closed_(std::move(closed)) {
    setWindowTitle(QStringLiteral("Prohlížení"));
    // The start window is hidden meanwhile: closing this one must not end
    // the program as the last window would.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(clientSize);
    setAutoFillBackground(true);
    setColours(this, Qt::white, Qt::black);
    setFocusPolicy(Qt::StrongFocus);

    Image = new PictureBox(this);
    Image->setGeometry(10, 8, 640, 200);
    Image->setAccessibleName(QStringLiteral("Fotografie"));

    Position = makeLabel(this, {10, 212, 640, 18}, fontB());

    // An alert, so that a screen reader says the name as it appears.
    NamePanel = new AlertPanel(this);
    NamePanel->setAccessibleName(QStringLiteral("Název"));
    NamePanel->setGeometry(10, 230, 640, 32);
    NamePanel->setFlat(true);
    setColours(NamePanel, Qt::white, Qt::black);
    Name = makeLabel(NamePanel, {0, 4, 640, 26}, fontA());
    Name->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    Credit = makeLabel(this, {10, 264, 640, 36}, fontB());
    Credit->setWordWrap(true);
    Credit->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Credit->setAccessibleName(QStringLiteral("Zdroj fotografie"));

    Previous = makeButton(this, {10, 306, 110, 25}, QStringLiteral("◀ Předchozí"));
    Reveal = makeButton(this, {126, 306, 130, 25}, QStringLiteral("Ukázat název"));
    Next = makeButton(this, {262, 306, 110, 25}, QStringLiteral("Další ▶"));
    Mixed = new QCheckBox(QStringLiteral("&Zamíchat"), this);
    Mixed->setGeometry(392, 306, 150, 25);
    Mixed->setFont(fontB());
    Mixed->setFocusPolicy(Qt::NoFocus);
    setColours(Mixed, Qt::white, Qt::black);
    Mixed->setBackgroundRole(QPalette::Window); // not the button face
    Mixed->setChecked(deck_.order() == StudyOrder::Mixed);
    Close = makeButton(this, {560, 306, 90, 25}, QStringLiteral("Zavřít"));

    connect(Previous, &QPushButton::clicked, this, [this] { showPrevious(); });
    connect(Reveal, &QPushButton::clicked, this, [this] { showName(); });
    connect(Next, &QPushButton::clicked, this, [this] { showNext(); });
    connect(Mixed, &QCheckBox::toggled, this, [this](bool on) { setMixed(on); });
    connect(Close, &QPushButton::clicked, this, [this] { close(); });

    showCard();
}

void StudyWindow::showCard() {
    const StudyCard& card = deck_.current();
    NamePanel->hide();
    Name->setText(QString::fromUtf8(answerName(card.breed)));
    Reveal->setEnabled(true);
    Position->setText(QStringLiteral("Fotografie ") + ofCount(deck_.position() + 1, deck_.size()));
    Image->setAccessibleDescription(Position->text());
    Credit->setText(studyCreditText(card.path));
    // A photograph that cannot be read is said in its place; the others can
    // still be looked at.
    try {
        Image->loadPicture(card.path);
    } catch (const std::exception& error) {
        Credit->setText(QStringLiteral("Fotografii nelze načíst: ") +
                        QString::fromLocal8Bit(error.what()));
    }
}

void StudyWindow::showName() {
    if (NamePanel->isHidden()) {
        NamePanel->show();
        Reveal->setEnabled(false);
    }
}

void StudyWindow::showNext() {
    deck_.next();
    showCard();
}

void StudyWindow::showPrevious() {
    deck_.previous();
    showCard();
}

void StudyWindow::setMixed(bool mixed) {
    const StudyOrder order = mixed ? StudyOrder::Mixed : StudyOrder::Catalogue;
    if (order != deck_.order()) {
        deck_.setOrder(order, QRandomGenerator::global()->generate());
        Mixed->setChecked(mixed);
        showCard();
    }
}

void StudyWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        showName();
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        showNext();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        showPrevious();
        return;
    case Qt::Key_Escape:
        close();
        return;

    default:
        QWidget::keyPressEvent(event);
    }
}

void StudyWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted() && closed_) {
        closed_();
    }
}

} // namespace tarvelo
