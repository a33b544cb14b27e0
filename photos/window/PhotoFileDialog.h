// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace tarvelo {

// The file dialog's filter: JPEG and PNG, which are always read, and every
// format Qt's image plugins read here, then any file.
QString photoFileFilter();

// Asks for the photograph of breed; an empty text when the teacher cancels.
QString askForPhoto(QWidget* parent, const QString& breed);

} // namespace tarvelo
