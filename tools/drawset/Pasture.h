// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Jitter.h"

#include <QPainter>
#include <QSizeF>

namespace tarvelo::drawset {

// Sky, a hill, a fence and grass behind a cow standing at groundY; `scale` is
// the size of the cow space in pixels, so the fence keeps its size next to it.
void paintPasture(QPainter& painter, QSizeF size, double groundY, double scale, Jitter& jitter);

} // namespace tarvelo::drawset
