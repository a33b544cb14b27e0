// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace tarvelo {

// The picture at path as the quiz would place it in a box of `box` pixels,
// decoded by the quiz's own code and scaled smoothly, on black. A null image
// when the quiz could not show it.
QImage thumbnailOf(const QString& path, QSize box);

} // namespace tarvelo
