// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Unit1.h"

#include "Accessibility.h"
#include "Fonts.h"
#include "ListPrefixSearch.h"
#include "PictureBox.h"
#include "Practice.h"
#include "Quiz.h"
#include "QuizPicture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvelo {

namespace {
const QString eightSpaces = QStringLiteral("        ");

QLabel* makeLabel(QWidget* parent, QRect geometry, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFont(fontA());
    setColours(label, Qt::white, Qt::black);
    if (!text.isEmpty()) {
        label->adjustSize();
    }
    return label;
}

// The blank titles are padding, so screen readers get a name of substance.
template <class Group = QGroupBox>
Group* makeGroup(QWidget* parent, QRect geometry, const QString& title, const QString& name) {
    auto* group = new Group(title, parent);
    group->setAccessibleName(name);
    group->setGeometry(geometry);
    group->setFont(fontA());
    setColours(group, Qt::white, Qt::black);
    return group;
}
} // namespace

TForm1::TForm1(TApplication& application)
    : TForm(application, QStringLiteral("Tarvelo"), QSize(935, 390)) {
    setFont(fontA());

    GroupBox1 = makeGroup(this, {26, 32, 689, 314}, eightSpaces, QStringLiteral("Otázka"));
    Image1 = new PictureBox(GroupBox1);
    Image1->setGeometry(QRect(QPoint(16, 16), quizPictureSize));
    Image1->setAccessibleName(QStringLiteral("Fotografie")); // described by the question number

    makeAnswerGroup();
    makeCorrectionPanels();

    // Tab order: the group boxes, then the list, the field and the button.
    setTabOrder(ComboBox1, Edit1);
    setTabOrder(Edit1, BitBtn1);
    registerControls();
}

// The answer: the list or the field the name goes in, and the button.
void TForm1::makeAnswerGroup() {
    GroupBox2 = makeGroup(this, {728, 32, 185, 177}, eightSpaces, QStringLiteral("Odpověď"));
    Label1 = makeLabel(GroupBox2, {16, 16, 40, 19}, QStringLiteral("Název"));
    Label6 = makeLabel(GroupBox2, {16, 136, 4, 19}, QString());

    ComboBox1 = new QComboBox(GroupBox2);
    ComboBox1->setGeometry(8, 40, 169, 24);
    ComboBox1->setEditable(false);
    ComboBox1->setMaxVisibleItems(30); // all 19 names without scrolling
    ComboBox1->setFont(fontB());
    setColours(ComboBox1, Qt::white, Qt::black);
    setButtonColours(ComboBox1, Qt::white, Qt::black);
    setColours(ComboBox1->view(), Qt::white, Qt::black);
    ComboBox1->setAccessibleName(QStringLiteral("Název"));
    new ListPrefixSearch(ComboBox1); // owned by the list
    ComboBox1->hide();

    Edit1 = new QLineEdit(GroupBox2);
    Edit1->setGeometry(8, 40, 169, 24);
    Edit1->setFont(fontB());
    setColours(Edit1, Qt::black, Qt::white);
    Edit1->setAccessibleName(QStringLiteral("Název"));
    Edit1->hide();

    BitBtn1 = new QPushButton(QStringLiteral("OK"), GroupBox2);
    BitBtn1->setGeometry(96, 128, 75, 25);
    BitBtn1->setFont(fontA());
    setButtonColours(BitBtn1, Qt::white); // its own font colour on the button face
    setDefaultButton(BitBtn1);
    onClick(BitBtn1, [this] { BitBtn1Click(); });
}

// The panels that tell a wrong answer (the correction with the count of
// mistakes, what the breed was confused with) and, made between them as it
// always was, the progress under the answer.
void TForm1::makeCorrectionPanels() {
    GroupBox3 = makeGroup<AlertPanel>(this, {8, 293, 919, 89}, QString(), QStringLiteral("Oprava"));
    Label3 = makeLabel(GroupBox3, {8, 24, 4, 19}, QString());
    Label7 = makeLabel(GroupBox3, {8, 0, 52, 19}, QStringLiteral("  Chyb: "));
    GroupBox3->hide();

    Label8 = makeLabel(GroupBox2, {16, 88, 4, 19}, QString());
    Label8->hide();

    GroupBox4 =
        makeGroup<AlertPanel>(this, {440, 300, 480, 76}, QString(), QStringLiteral("Záměna"));
    GroupBox4->setFlat(true);
    GroupBox4->setStyleSheet(QStringLiteral("QGroupBox { border: none; }"));
    Label9 = makeLabel(GroupBox4, {8, 17, 4, 19}, QString());
    Frame1 = new QFrame(GroupBox4);
    Frame1->setGeometry(360, 0, 120, 76);
    Frame1->setFrameStyle(QFrame::Box | QFrame::Plain);
    setColours(Frame1, Qt::white, Qt::black);
    Image2 = new PictureBox(Frame1);
    Image2->setGeometry(1, 1, 118, 74);
    Frame1->hide();
    GroupBox4->hide();
}

void TForm1::FormCreate() {
    quiz_->prepareFirstQuestion();
}

bool TForm1::practising() const {
    return practice_ != nullptr && practice_->running();
}

void TForm1::FormActivate() {
    if (practising()) {
        practice_->applyDifficulty();
    } else {
        quiz_->applyDifficulty();
    }
    // "Název" labels whichever input the level shows.
    Label1->setBuddy(ComboBox1->isHidden() ? static_cast<QWidget*>(Edit1) : ComboBox1);
}

void TForm1::BitBtn1Click() {
    if (practising()) {
        practice_->pressAnswerButton();
    } else {
        quiz_->pressAnswerButton();
    }
}

} // namespace tarvelo
