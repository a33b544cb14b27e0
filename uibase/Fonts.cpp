// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fonts.h"

#include <QPalette>

namespace tarvelo {

QFont layoutFont(const QString& family, int pixelHeight, bool boldItalic) {
    QFont font(family);
    font.setPixelSize(pixelHeight);
    font.setBold(boldItalic);
    font.setItalic(boldItalic);
    return font;
}

QFont fontA() {
    return layoutFont(QStringLiteral("Times New Roman"), 16, true);
}
QFont fontB() {
    return layoutFont(QStringLiteral("Times New Roman"), 13, true);
}

void setColours(QWidget* widget, const QColor& text, const QColor& background) {
    // Only the enabled looks change: a disabled control keeps the style's grey text.
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        for (const auto role : {QPalette::WindowText, QPalette::Text}) {
            palette.setColor(group, role, text);
        }
    }
    if (background.isValid()) {
        for (const auto role : {QPalette::Window, QPalette::Base}) {
            palette.setColor(role, background);
        }
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

} // namespace tarvelo

namespace tarvelo {

void setButtonColours(QWidget* widget, const QColor& text, const QColor& face) {
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::ButtonText, text);
    }
    if (face.isValid()) {
        palette.setColor(QPalette::Button, face);
    }
    widget->setPalette(palette);
}

} // namespace tarvelo
