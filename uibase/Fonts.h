// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

namespace tarvelo {

// Sizes are character heights in pixels.
QFont layoutFont(const QString& family, int pixelHeight, bool boldItalic);

// Font A of the layouts: "Times New Roman" 16 bold italic; font B is the same at 13.
QFont fontA();
QFont fontB();

// Sets a widget's text and background colours; an invalid background keeps the current one.
void setColours(QWidget* widget, const QColor& text, const QColor& background = QColor());

// The same for what push buttons and drop-down lists draw on their face.
void setButtonColours(QWidget* widget, const QColor& text, const QColor& face = QColor());

} // namespace tarvelo
