// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Jitter.h"

#include <QColor>
#include <QPainter>
#include <QPointF>

namespace tarvelo::drawset {

// The colour made a little lighter or darker at random, so hair does not look
// painted in one flat tone.
QColor varied(const QColor& colour, Jitter& jitter, int spread);

// One lock of hair: a slightly bent stroke from `root`, heading at `angle`
// degrees (0 = right, 90 = down).
void paintStrand(QPainter& painter, QPointF root, double angle, double length, double width,
                 const QColor& colour, Jitter& jitter);

// A small open curl, for curly coats.
void paintCurl(QPainter& painter, QPointF centre, double radius, const QColor& colour,
               Jitter& jitter);

} // namespace tarvelo::drawset
