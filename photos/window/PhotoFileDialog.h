// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tarvelo {

// The file dialog's filter: JPEG and PNG, which are always read, and every
// format Qt's image plugins read here, then any file.
QString photoFileFilter();

// Asks for photographs of breed, one or several at once; none when the
// teacher cancels.
QStringList askForPhotos(QWidget* parent, const QString& breed);

} // namespace tarvelo
