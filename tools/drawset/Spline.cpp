// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Spline.h"

#include <QLineF>
#include <algorithm>
#include <cmath>
#include <cstddef>

namespace tarvelo::drawset {

namespace {

// Cubic segment from p1 to p2 of the Catmull-Rom spline through p0..p3.
void addSegment(QPainterPath& path, QPointF p0, QPointF p1, QPointF p2, QPointF p3) {
    path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
}

} // namespace

QPainterPath closedSpline(const std::vector<QPointF>& points) {
    QPainterPath path;
    const std::size_t n = points.size();
    if (n < 3) {
        return path;
    }
    path.moveTo(points[0]);
    for (std::size_t i = 0; i < n; ++i) {
        addSegment(path, points[(i + n - 1) % n], points[i], points[(i + 1) % n],
                   points[(i + 2) % n]);
    }
    path.closeSubpath();
    return path;
}

QPainterPath openSpline(const std::vector<QPointF>& points) {
    QPainterPath path;
    const std::size_t n = points.size();
    if (n < 2) {
        return path;
    }
    path.moveTo(points[0]);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const QPointF before = i == 0 ? points[0] * 2.0 - points[1] : points[i - 1];
        const QPointF after = i + 2 < n ? points[i + 2] : points[i + 1] * 2.0 - points[i];
        addSegment(path, before, points[i], points[i + 1], after);
    }
    return path;
}

QPainterPath taperedBand(const std::vector<QPointF>& centreLine, double baseWidth,
                         double tipWidth) {
    const QPainterPath centre = openSpline(centreLine);
    constexpr int samples = 40;
    std::vector<QPointF> left;
    std::vector<QPointF> right;
    for (int i = 0; i <= samples; ++i) {
        const double t = static_cast<double>(i) / samples;
        const QPointF at = centre.pointAtPercent(t);
        const double angle = centre.angleAtPercent(std::min(t, 0.999)) * M_PI / 180.0;
        // Qt angles run counter-clockwise with y pointing down the screen.
        const QPointF normal(std::sin(angle), std::cos(angle));
        const double half = (baseWidth + (tipWidth - baseWidth) * t) / 2.0;
        left.push_back(at + normal * half);
        right.push_back(at - normal * half);
    }
    QPainterPath band;
    band.moveTo(left.front());
    for (std::size_t i = 1; i < left.size(); ++i) {
        band.lineTo(left[i]);
    }
    for (std::size_t i = right.size(); i-- > 0;) {
        band.lineTo(right[i]);
    }
    band.closeSubpath();
    return band;
}

std::vector<QPointF> mirroredReversed(const std::vector<QPointF>& points) {
    std::vector<QPointF> mirrored;
    mirrored.reserve(points.size());
    for (std::size_t i = points.size(); i-- > 0;) {
        mirrored.emplace_back(-points[i].x(), points[i].y());
    }
    return mirrored;
}

} // namespace tarvelo::drawset
