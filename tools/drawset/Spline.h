// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainterPath>
#include <QPointF>
#include <vector>

namespace tarvelo::drawset {

// Smooth outlines through hand-placed points (Catmull-Rom), so body parts are
// described by a few landmarks instead of Bezier control points.
QPainterPath closedSpline(const std::vector<QPointF>& points);
QPainterPath openSpline(const std::vector<QPointF>& points);

// A filled band along an open spline whose width falls linearly from
// baseWidth to tipWidth: horns, tails, locks of hair.
QPainterPath taperedBand(const std::vector<QPointF>& centreLine, double baseWidth, double tipWidth);

// The points mirrored about the vertical line x = 0, in reverse order, so a
// right half of a symmetric outline can be closed with its left half.
std::vector<QPointF> mirroredReversed(const std::vector<QPointF>& points);

} // namespace tarvelo::drawset
