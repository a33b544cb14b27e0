// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace tarvelo {

// The picture at path, decoded by the quiz's own code, scaled smoothly to fit
// `box` and centred on black. A null image when the quiz could not show it.
QImage thumbnailOf(const QString& path, QSize box);

} // namespace tarvelo
