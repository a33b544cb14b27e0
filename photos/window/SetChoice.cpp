// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetChoice.h"

#include "BusyGuard.h"
#include "Fonts.h"
#include "PictureSets.h"
#include "Utf8Path.h"

#include <QPalette>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tarvelo {

SetChoice::SetChoice(PhotoSet own, PhotoSet forAll, bool onClassSet, const BusyGuard& busy,
                     QWidget* parent)
    : QGroupBox(QStringLiteral("Sada"), parent), ownSet_(std::move(own)),
      forAllSet_(std::move(forAll)), busy_(busy),
      own_(new QRadioButton(QStringLiteral("jen pro mě"), this)),
      forAll_(new QRadioButton(QStringLiteral("pro všechny uživatele tohoto počítače"), this)) {
    setFont(fontB());
    setColours(this, Qt::white, Qt::black);
    for (QRadioButton* button : {own_, forAll_}) {
        button->setFont(fontB());
        setColours(button, Qt::white, Qt::black);
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, Qt::black); // the style fills the label with it
        button->setPalette(palette);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(own_);
    layout->addWidget(forAll_);
    (onClassSet ? forAll_ : own_)->setChecked(true);
    connect(forAll_, &QRadioButton::toggled, this, &SetChoice::choose);
}

bool SetChoice::mayWriteForAll() const {
    return !classSetRefusal(pathFromUtf8(forAllSet_.root().toStdString()));
}

void SetChoice::showEdited(bool forAll) {
    const QSignalBlocker blocker(forAll_);
    (forAll ? forAll_ : own_)->setChecked(true);
}

void SetChoice::choose(bool forAll) {
    if (busy_.refuses(Waiting::UntilStored)) {
        showEdited(!forAll);
        return;
    }
    if (forAll) {
        if (const auto refusal = classSetRefusal(pathFromUtf8(forAllSet_.root().toStdString()))) {
            showEdited(false);
            emit refused(QString::fromStdString(*refusal));
            return;
        }
    }
    emit chosen(set(forAll));
}

} // namespace tarvelo
