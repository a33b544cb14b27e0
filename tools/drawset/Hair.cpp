// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Hair.h"

#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace tarvelo::drawset {

QColor varied(const QColor& colour, Jitter& jitter, int spread) {
    const int factor = 100 + static_cast<int>(jitter.uniform(-spread, spread));
    QColor result = factor >= 100 ? colour.lighter(factor) : colour.darker(10000 / factor);
    result.setAlpha(colour.alpha());
    return result;
}

void paintStrand(QPainter& painter, QPointF root, double angle, double length, double width,
                 const QColor& colour, Jitter& jitter) {
    const double a = angle * M_PI / 180.0;
    const QPointF direction(std::cos(a), std::sin(a));
    const QPointF side(-direction.y(), direction.x());
    const double bend = jitter.uniform(-0.25, 0.25) * length;
    QPainterPath strand;
    strand.moveTo(root);
    strand.quadTo(root + direction * (length * 0.5) + side * bend, root + direction * length);
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    painter.strokePath(strand, pen);
}

void paintCurl(QPainter& painter, QPointF centre, double radius, const QColor& colour,
               Jitter& jitter) {
    const int start = static_cast<int>(jitter.uniform(0.0, 360.0)) * 16;
    QPen pen(colour, std::max(1.5, radius * 0.45));
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), start,
                    250 * 16);
}

} // namespace tarvelo::drawset
