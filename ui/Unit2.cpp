// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Unit2.h"

#include "Accessibility.h"
#include "Fonts.h"
#include "TApplication.h"
#include "Unit1.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace tarvelo {

namespace {
// Screen readers get `name`: the titles are padded with spaces.
template <class Page = QGroupBox>
QGroupBox* makePage(QWidget* parent, const QString& title, const QString& name) {
    // Font before title: a group box measures its title as soon as it has
    // one, and the window's own font, drawn nowhere, would be loaded for it.
    auto* page = new Page(parent);
    page->setFont(fontA());
    page->setTitle(title);
    page->setAccessibleName(name);
    page->setGeometry(24, 24, 337, 105);
    setColours(page, Qt::white, Qt::black);
    return page;
}

QRadioButton* makeRadio(QWidget* parent, int top, const QString& text) {
    auto* radio = new QRadioButton(text, parent);
    radio->setGeometry(16, top, 113, 17);
    radio->setFont(fontA());
    setColours(radio, Qt::white, Qt::black);
    radio->setBackgroundRole(QPalette::Window); // buttons fill with the face colour otherwise
    return radio;
}

// Push buttons keep the system's button-text colour.
QPushButton* makeButton(QWidget* parent, int left, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(left, 72, 75, 25);
    button->setFont(fontA());
    return button;
}
} // namespace

TForm2::TForm2(TApplication& application, TForm1& form1, std::function<void(TForm2&)> run)
    : TForm(application, QStringLiteral("Start page"), QSize(386, 157)), form1_(form1),
      run_(std::move(run)) {
    setFont(layoutFont(QStringLiteral("MS Sans Serif"), 11, false));

    GroupBox1 = makePage(this, QStringLiteral("   Obtížnost   "), QStringLiteral("Obtížnost"));
    RadioButton1 = makeRadio(GroupBox1, 32, QStringLiteral("Začátečník"));
    RadioButton1->setChecked(true);
    RadioButton2 = makeRadio(GroupBox1, 72, QStringLiteral("Pokročilý"));
    Button1 = makeButton(GroupBox1, 248, QStringLiteral("OK"));
    setDefaultButton(Button1);
    onClick(Button1, [this] { Button1Click(); });

    // Announced when it replaces the difficulty page at the end of a round.
    GroupBox2 = makePage<AlertPanel>(this, QStringLiteral("        "), QStringLiteral("Výsledek"));
    Label1 = new QLabel(GroupBox2);
    Label1->setGeometry(24, 32, 6, 24);
    Label1->setFont(layoutFont(QStringLiteral("Arial"), 21, true));
    setColours(Label1, Qt::red);
    Button2 = makeButton(GroupBox2, 241, QStringLiteral("Konec"));
    onClick(Button2, [this] { Button2Click(); });
    Button3 = makeButton(GroupBox2, 160, QStringLiteral("Znovu"));
    setDefaultButton(Button3);
    onClick(Button3, [this] { Button3Click(); });
    // A test's errors can be practised from its result; the practice's own
    // end hides the button.
    Button6 = new QPushButton(QStringLiteral("Procvičit chyby"), GroupBox2);
    Button6->setGeometry(8, 72, 146, 25);
    Button6->setFont(fontA());
    onClick(Button6, [this] { Button6Click(); });
    Button6->hide();
    GroupBox2->hide();

    Label2 = new QLabel(this);
    Label2->setGeometry(24, 3, 337, 18);
    Label2->setFont(fontB());
    Label2->setTextFormat(Qt::PlainText);
    setColours(Label2, Qt::white, Qt::black);

    Panel1 = new QWidget(this);
    Panel1->setGeometry(24, 131, 337, 24);
    Button4 = new QPushButton(QStringLiteral("&Procvičování"), Panel1);
    Button4->setGeometry(0, 0, 150, 24);
    Button5 = new QPushButton(QStringLiteral("P&rohlížení"), Panel1);
    Button5->setGeometry(187, 0, 150, 24);
    for (QPushButton* button : {Button4, Button5}) {
        button->setFont(fontA());
        button->setFocusPolicy(Qt::ClickFocus); // no tab stop
    }
    onClick(Button4, [this] { Button4Click(); });
    onClick(Button5, [this] { Button5Click(); });
    // The row belongs to the difficulty page: it shows and hides with it.
    GroupBox1->installEventFilter(this);
    GroupBox2->installEventFilter(this);

    registerControls();
}

void TForm2::FormCreate() {
    run_(*this);
}

void TForm2::Button1Click() {
    if (starts_.test) {
        starts_.test();
    }
    form1_.showAndActivate();
    hide();
}

void TForm2::Button2Click() {
    application_.requestQuit();
}

void TForm2::Button3Click() {
    releaseFocusFrom(GroupBox2);
    GroupBox2->hide();
    GroupBox1->show();
}

// The result page always opens with the focus on the window itself, so that
// Enter means "Znovu" after every round, never "Konec" by surprise.
QWidget* TForm2::focusTargetOnActivation() {
    if (GroupBox2->isVisibleTo(this) &&
        (activeControl() == nullptr || !canTakeFocus(activeControl()))) {
        return this;
    }
    return TForm::focusTargetOnActivation();
}

void TForm2::Button4Click() {
    if (starts_.practice) {
        starts_.practice();
    }
}

void TForm2::Button5Click() {
    if (starts_.study) {
        starts_.study();
    }
}

void TForm2::Button6Click() {
    if (starts_.practiceMistakes) {
        starts_.practiceMistakes();
    }
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == GroupBox2 && event->type() == QEvent::Show) {
        Button6->setVisible(starts_.mistakesToPractise && starts_.mistakesToPractise());
    }
    if (watched == GroupBox1 && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        // Hidden with the window, the page keeps its row; hidden for the
        // result page, it takes it along.
        const bool shown = !GroupBox1->isHidden();
        if (!shown) {
            releaseFocusFrom(Panel1);
        }
        Panel1->setVisible(shown);
        Label2->setVisible(shown);
    }
    return TForm::eventFilter(watched, event);
}

void TForm2::FormClose(TCloseAction& /*action*/) {
    application_.requestQuit();
}

} // namespace tarvelo
