// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pasture.h"

#include "Spline.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <vector>

namespace tarvelo::drawset {

namespace {

void paintCloud(QPainter& p, QPointF at, double size, Jitter& jitter) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 215));
    for (int i = 0; i < 6; ++i) {
        const double r = size * jitter.uniform(0.35, 0.6);
        p.drawEllipse(
            at + QPointF(jitter.uniform(-1.0, 1.0) * size, jitter.uniform(-0.2, 0.15) * size),
            r * 1.3, r);
    }
}

QPainterPath hill(double width, double baseY, double height, double phase, double bottom) {
    std::vector<QPointF> ridge;
    for (int i = 0; i <= 12; ++i) {
        const double x = width * (i / 12.0) * 1.2 - width * 0.1;
        const double y = baseY - height * (0.55 + 0.45 * std::sin(i * 0.7 + phase));
        ridge.emplace_back(x, y);
    }
    QPainterPath path = openSpline(ridge);
    path.lineTo(width * 1.1, bottom);
    path.lineTo(-width * 0.1, bottom);
    path.closeSubpath();
    return path;
}

void paintFence(QPainter& p, double width, double baseY, double scale) {
    const double postHeight = 95.0 * scale;
    const double postWidth = 9.0 * scale;
    const double gap = 170.0 * scale;
    const QColor wood(0x8A6A4A);
    const QColor woodDark(0x5E452F);
    for (const double rail : {0.3, 0.68}) {
        const double y = baseY - postHeight * rail;
        p.fillRect(QRectF(0, y - 3.5 * scale, width, 7.0 * scale), wood);
        p.fillRect(QRectF(0, y + 2.0 * scale, width, 1.5 * scale), woodDark);
    }
    for (double x = std::fmod(width / 2.0, gap) - gap; x < width + gap; x += gap) {
        const QRectF post(x - postWidth / 2, baseY - postHeight, postWidth, postHeight);
        p.fillRect(post, wood);
        p.fillRect(QRectF(post.right() - postWidth * 0.3, post.top(), postWidth * 0.3, postHeight),
                   woodDark);
    }
}

void paintGrass(QPainter& p, QSizeF size, double horizon, double scale, Jitter& jitter) {
    const int tufts = static_cast<int>(size.width() * (size.height() - horizon) / 260.0);
    for (int i = 0; i < tufts; ++i) {
        const double y = jitter.uniform(horizon + 4, size.height() + 10);
        const double depth = (y - horizon) / (size.height() - horizon);
        const double x = jitter.uniform(0, size.width());
        const double length = (4.0 + 14.0 * depth) * scale * jitter.uniform(0.6, 1.3);
        QColor blade = jitter.chance(0.5) ? QColor(0x3F7A2A) : QColor(0x7BB24A);
        blade.setAlpha(150);
        p.setPen(QPen(blade, std::max(1.0, 2.2 * scale * depth)));
        p.drawLine(QPointF(x, y), QPointF(x + jitter.uniform(-0.4, 0.4) * length, y - length));
    }
    // A few meadow flowers in the foreground.
    for (int i = 0; i < tufts / 60; ++i) {
        const double y = jitter.uniform(horizon + (size.height() - horizon) * 0.4, size.height());
        const QPointF at(jitter.uniform(0, size.width()), y);
        p.setPen(Qt::NoPen);
        p.setBrush(jitter.chance(0.6) ? QColor(0xF8F3D0) : QColor(0xF2D23C));
        const double r = 2.6 * scale * (0.5 + (y - horizon) / (size.height() - horizon));
        p.drawEllipse(at, r, r);
    }
}

} // namespace

void paintPasture(QPainter& p, QSizeF size, double groundY, double scale, Jitter& jitter) {
    const double w = size.width();
    const double h = size.height();
    const double horizon = groundY - 250.0 * scale;

    QLinearGradient sky(QPointF(0, 0), QPointF(0, horizon));
    sky.setColorAt(0.0, QColor(0x6FA6DC));
    sky.setColorAt(1.0, QColor(0xD6E8F4));
    p.fillRect(QRectF(0, 0, w, horizon + 2), sky);
    const int clouds = 2 + static_cast<int>(w / 500.0);
    for (int i = 0; i < clouds; ++i) {
        paintCloud(p,
                   QPointF(w * (i + jitter.uniform(0.2, 0.8)) / clouds,
                           horizon * jitter.uniform(0.12, 0.5)),
                   70.0 * scale * jitter.uniform(0.8, 1.3), jitter);
    }

    p.fillPath(hill(w, horizon, 90.0 * scale, jitter.uniform(0.0, 6.0), horizon + 2),
               QColor(0x94B98A));
    p.fillPath(hill(w, horizon + 4, 45.0 * scale, jitter.uniform(0.0, 6.0), horizon + 6),
               QColor(0x7FAA5E));

    QLinearGradient grass(QPointF(0, horizon), QPointF(0, h));
    grass.setColorAt(0.0, QColor(0x8DBE5A));
    grass.setColorAt(1.0, QColor(0x5C9A35));
    p.fillRect(QRectF(0, horizon, w, h - horizon), grass);

    paintFence(p, w, groundY - 150.0 * scale, scale);
    paintGrass(p, size, horizon, scale, jitter);
}

} // namespace tarvelo::drawset
