// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowText.h"

#include "Fonts.h"
#include "ForeignText.h"

#include <QDir>
#include <QLabel>

namespace tarvelo {

QLabel* makeWindowText(const QString& text, const QFont& font, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(font);
    label->setWordWrap(true);
    QSizePolicy policy = label->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    label->setSizePolicy(policy);
    setColours(label, Qt::white, Qt::black);
    return label;
}

QString quotedPath(const QString& path) {
    return quotedName(QDir::toNativeSeparators(path));
}

} // namespace tarvelo
