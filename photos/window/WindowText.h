// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace tarvelo {

// A line of the windows' own text, white on black: shown as plain text, as
// it may quote a file's name or a shared set's name and note, which may look
// like markup; wrapped, and a word without a place to wrap cut at the
// window's edge rather than widening the window past the screen.
QLabel* makeWindowText(const QString& text, const QFont& font, QWidget* parent);

// A file's or folder's path as the windows quote it in a sentence: in the
// system's own separators, fit to be quoted (quotedName).
QString quotedPath(const QString& path);

} // namespace tarvelo
