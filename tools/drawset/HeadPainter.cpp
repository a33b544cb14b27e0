// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeadPainter.h"

#include "Hair.h"
#include "Spline.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <vector>

namespace tarvelo::drawset {

namespace {

// Right-hand horn, from its root outwards; the left one is its mirror image.
std::vector<QPointF> hornLine(HornShape shape) {
    switch (shape) {
    case HornShape::Polled:
        return {};
    case HornShape::Short:
        return {{0, 0}, {22, -6}, {38, -20}, {44, -38}};
    case HornShape::Lyre:
        return {{0, 0}, {40, -8}, {64, -38}, {68, -82}, {84, -114}};
    case HornShape::Upswept:
        return {{0, 0}, {55, 0}, {112, -8}, {148, -40}, {158, -88}};
    case HornShape::CurvedDown:
        return {{0, 0}, {30, -14}, {56, -14}, {68, 6}, {60, 30}};
    }
    return {};
}

double hornBaseWidth(HornShape shape) {
    return shape == HornShape::Upswept ? 26.0 : shape == HornShape::Short ? 16.0 : 19.0;
}

void paintHorns(QPainter& p, const Horns& horns, double w, double l) {
    std::vector<QPointF> line = hornLine(horns.shape);
    if (line.empty()) {
        return;
    }
    for (QPointF& point : line) {
        point *= horns.length;
    }
    const QPointF root(0.34 * w, 0.08 * l);
    for (const double side : {1.0, -1.0}) {
        std::vector<QPointF> placed;
        for (const QPointF& point : line) {
            placed.emplace_back(side * (root.x() + point.x()), root.y() + point.y());
        }
        const QPainterPath horn = taperedBand(placed, hornBaseWidth(horns.shape), 4.0);
        QLinearGradient gradient(placed.front(), placed.back());
        gradient.setColorAt(0.0, horns.base.darker(110));
        gradient.setColorAt(0.55, horns.base);
        gradient.setColorAt(1.0, horns.tip);
        p.fillPath(horn, gradient);
        p.strokePath(horn, QPen(horns.base.darker(170), 1.8));
    }
}

void paintEar(QPainter& p, double side, const Head& head, const QColor& ear, double w, double l,
              Jitter& jitter) {
    const double el = 0.56 * w * head.earSize;
    const double eh = 0.27 * w * head.earSize;
    p.save();
    p.translate(side * 0.42 * w, 0.21 * l);
    p.scale(side, 1.0);
    p.rotate(18.0);
    const QPainterPath outer = closedSpline({{0, -0.3 * eh},
                                             {0.45 * el, -0.52 * eh},
                                             {el, -0.06 * eh},
                                             {0.5 * el, 0.5 * eh},
                                             {0, 0.36 * eh}});
    const QPainterPath inner = closedSpline({{0.12 * el, -0.14 * eh},
                                             {0.47 * el, -0.3 * eh},
                                             {0.86 * el, -0.04 * eh},
                                             {0.47 * el, 0.28 * eh},
                                             {0.12 * el, 0.16 * eh}});
    p.fillPath(outer, ear);
    const bool lightEar = ear.lightness() > 150;
    p.fillPath(inner, lightEar ? QColor(0xE6ACA2) : ear.lighter(135));
    if (head.fuzzyEars) {
        // Long pale hair inside the ear and a fuzzy edge.
        for (int i = 0; i < 70; ++i) {
            const double t = jitter.uniform(0.1, 0.85);
            const QPointF root(t * el, jitter.uniform(-0.15, 0.15) * eh);
            paintStrand(p, root, jitter.uniform(-40.0, 40.0), jitter.uniform(0.15, 0.3) * el, 2.0,
                        varied(QColor(0xE9E2D4), jitter, 10), jitter);
        }
        for (int i = 0; i < 50; ++i) {
            const QPointF at = outer.pointAtPercent(jitter.uniform(0.05, 0.95));
            paintStrand(p, at, jitter.uniform(0.0, 360.0), jitter.uniform(5.0, 10.0), 2.0,
                        varied(ear, jitter, 15), jitter);
        }
    }
    if (head.earRim.isValid()) {
        p.save();
        p.setClipPath(outer);
        p.strokePath(outer, QPen(head.earRim, 9.0));
        p.restore();
    }
    p.strokePath(outer, QPen(ear.darker(170), 1.8));
    p.restore();
}

QPainterPath headOutline(double w, double l) {
    const std::vector<QPointF> right{
        {0.30 * w, 0.01 * l}, {0.47 * w, 0.10 * l}, {0.50 * w, 0.26 * l}, {0.43 * w, 0.46 * l},
        {0.32 * w, 0.66 * l}, {0.35 * w, 0.82 * l}, {0.29 * w, 0.96 * l}};
    std::vector<QPointF> points{{0.0, 0.0}};
    points.insert(points.end(), right.begin(), right.end());
    points.emplace_back(0.0, 1.0 * l);
    const std::vector<QPointF> left = mirroredReversed(right);
    points.insert(points.end(), left.begin(), left.end());
    return closedSpline(points);
}

QPainterPath blob(QPointF centre, double rx, double ry, Jitter& jitter) {
    std::vector<QPointF> points;
    constexpr int corners = 10;
    for (int i = 0; i < corners; ++i) {
        const double a = 2.0 * M_PI * i / corners;
        const double r = jitter.uniform(0.8, 1.15);
        points.emplace_back(centre.x() + rx * r * std::cos(a), centre.y() + ry * r * std::sin(a));
    }
    return closedSpline(points);
}

// White hairs through a roan's face.
void paintRoanFace(QPainter& p, const BreedLook& look, const QColor& face, double w, double l,
                   Jitter& jitter) {
    for (int i = 0; i < 900; ++i) {
        const QPointF at(jitter.uniform(-0.5, 0.5) * w, jitter.uniform(0.0, 0.8) * l);
        QColor hair = i % 3 == 0 ? face.darker(140) : look.coat.white;
        hair.setAlpha(110);
        paintStrand(p, at, 90.0 + jitter.uniform(-30.0, 30.0), jitter.uniform(4.0, 8.0), 1.6, hair,
                    jitter);
    }
}

// A patch round each eye and a ring about it, where the breed has them.
void paintEyeMarkings(QPainter& p, const Head& head, double w, double l, Jitter& jitter) {
    for (const double side : {1.0, -1.0}) {
        const QPointF eye(side * 0.41 * w, 0.32 * l);
        if (head.eyePatch.isValid()) {
            p.fillPath(blob(eye + QPointF(side * 0.02 * w, 0.0), 0.2 * w, 0.14 * l, jitter),
                       head.eyePatch);
        }
        if (head.eyeRing.isValid()) {
            const double s = head.eyeSize;
            p.setPen(Qt::NoPen);
            p.setBrush(head.eyeRing);
            p.drawEllipse(eye, 19.0 * s, 15.0 * s);
        }
    }
}

void paintFaceMarkings(QPainter& p, const BreedLook& look, const QColor& face, double w, double l,
                       Jitter& jitter) {
    const Head& head = look.head;
    for (const Patch& patch : head.patches) {
        p.fillPath(
            blob({patch.u * w, patch.v * l}, patch.radius * w, patch.radius * w * 0.85, jitter),
            head.patchColour);
    }
    if (head.roan) {
        paintRoanFace(p, look, face, w, l, jitter);
    }
    if (head.shade.isValid()) {
        QRadialGradient shade(QPointF(0.0, 0.5 * l), 0.75 * l);
        QColor clear = head.shade;
        clear.setAlpha(0);
        shade.setColorAt(0.3, clear);
        shade.setColorAt(1.0, head.shade);
        p.fillRect(QRectF(-w, -l, 2 * w, 3 * l), shade);
    }
    if (head.blaze.isValid()) {
        p.fillPath(closedSpline({{0, 0.0},
                                 {0.14 * w, 0.08 * l},
                                 {0.08 * w, 0.34 * l},
                                 {0.07 * w, 0.62 * l},
                                 {0.15 * w, 0.8 * l},
                                 {-0.15 * w, 0.8 * l},
                                 {-0.07 * w, 0.62 * l},
                                 {-0.08 * w, 0.34 * l},
                                 {-0.14 * w, 0.08 * l}}),
                   head.blaze);
    }
    paintEyeMarkings(p, head, w, l, jitter);
    if (head.muzzleRing.isValid()) {
        p.setPen(Qt::NoPen);
        p.setBrush(head.muzzleRing);
        p.drawEllipse(QPointF(0.0, 0.86 * l), 0.42 * w, 0.17 * l);
    }
    // Roundness: the face turns away from the light at its sides.
    QLinearGradient sides(QPointF(-0.5 * w, 0), QPointF(0.5 * w, 0));
    sides.setColorAt(0.0, QColor(0, 0, 0, 60));
    sides.setColorAt(0.28, QColor(0, 0, 0, 0));
    sides.setColorAt(0.72, QColor(0, 0, 0, 0));
    sides.setColorAt(1.0, QColor(0, 0, 0, 60));
    p.fillRect(QRectF(-w, -l, 2 * w, 3 * l), sides);
}

void paintMuzzle(QPainter& p, const Head& head, double w, double l) {
    const QPainterPath pad = closedSpline({{-0.27 * w, 0.79 * l},
                                           {0.0, 0.765 * l},
                                           {0.27 * w, 0.79 * l},
                                           {0.31 * w, 0.9 * l},
                                           {0.0, 0.985 * l},
                                           {-0.31 * w, 0.9 * l}});
    QRadialGradient gloss(QPointF(-0.05 * w, 0.83 * l), 0.3 * w);
    gloss.setColorAt(0.0, head.muzzle.lighter(125));
    gloss.setColorAt(1.0, head.muzzle);
    p.fillPath(pad, gloss);
    p.strokePath(pad, QPen(head.muzzle.darker(150), 1.5));
    const QColor nostril = head.muzzle.darker(260);
    for (const double side : {1.0, -1.0}) {
        p.save();
        p.translate(side * 0.16 * w, 0.865 * l);
        p.rotate(side * 28.0);
        p.setPen(Qt::NoPen);
        p.setBrush(nostril);
        p.drawEllipse(QPointF(0, 0), 0.065 * w, 0.028 * l);
        p.restore();
    }
    QPainterPath mouth;
    mouth.moveTo(-0.2 * w, 0.95 * l);
    mouth.quadTo(0.0, 0.975 * l, 0.2 * w, 0.95 * l);
    p.strokePath(mouth, QPen(head.muzzle.darker(220), 2.0));
}

void paintEyes(QPainter& p, const Head& head, const QColor& face, double w, double l) {
    const double s = head.eyeSize;
    for (const double side : {1.0, -1.0}) {
        const QPointF eye(side * 0.41 * w, 0.32 * l);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xF2EEE6));
        p.drawEllipse(eye, 11.5 * s, 9.0 * s);
        p.setBrush(QColor(0x23150D));
        p.drawEllipse(eye + QPointF(-side * 1.5 * s, 0.5 * s), 9.0 * s, 8.0 * s);
        p.setBrush(QColor(255, 255, 255, 220));
        p.drawEllipse(eye + QPointF(-side * 4.0 * s, -3.0 * s), 2.6 * s, 2.6 * s);
        QPainterPath lid;
        lid.moveTo(eye + QPointF(-13.0 * s, 1.0 * s));
        lid.quadTo(eye + QPointF(0, -17.0 * s), eye + QPointF(13.0 * s, 1.0 * s));
        const QColor lidColour = face.lightness() < 60 ? QColor(0x6A6460) : face.darker(200);
        p.strokePath(lid, QPen(lidColour, 2.4 * s, Qt::SolidLine, Qt::RoundCap));
    }
}

void paintForelock(QPainter& p, const BreedLook& look, const QColor& face, double w, double l,
                   Jitter& jitter) {
    switch (look.coat.texture) {
    case CoatTexture::LongShaggy:
        // A fringe hanging over the eyes.
        for (int i = 0; i < 170; ++i) {
            const QPointF root(jitter.uniform(-0.5, 0.5) * w, jitter.uniform(-0.06, 0.14) * l);
            paintStrand(p, root, 90.0 + jitter.uniform(-22.0, 22.0) - root.x() / w * 30.0,
                        jitter.uniform(0.25, 0.45) * l, jitter.uniform(3.0, 5.5),
                        varied(face, jitter, 25), jitter);
        }
        for (const double side : {1.0, -1.0}) {
            for (int i = 0; i < 40; ++i) {
                const QPointF root(side * jitter.uniform(0.38, 0.5) * w,
                                   jitter.uniform(0.35, 0.7) * l);
                paintStrand(p, root, 90.0 - side * jitter.uniform(10.0, 35.0),
                            jitter.uniform(0.1, 0.2) * l, 3.5, varied(face, jitter, 25), jitter);
            }
        }
        break;
    case CoatTexture::Curly:
        for (int i = 0; i < 70; ++i) {
            const QPointF at(jitter.uniform(-0.4, 0.4) * w, jitter.uniform(-0.04, 0.22) * l);
            paintCurl(p, at, jitter.uniform(4.0, 7.0), varied(face.lighter(150), jitter, 20),
                      jitter);
        }
        break;
    case CoatTexture::Smooth:
        for (int i = 0; i < 18; ++i) {
            const QPointF root(jitter.uniform(-0.16, 0.16) * w, jitter.uniform(0.0, 0.05) * l);
            paintStrand(p, root, 90.0 + jitter.uniform(-35.0, 35.0), jitter.uniform(0.05, 0.09) * l,
                        2.2, varied(face.darker(112), jitter, 8), jitter);
        }
        break;
    }
}

} // namespace

void paintHead(QPainter& p, const BreedLook& look, const CowGeometry& g, Jitter& jitter) {
    const Head& head = look.head;
    const QColor face = head.face.isValid() ? head.face : look.coat.base;
    const QColor ear = head.ear.isValid() ? head.ear : face;
    const double w = g.headWidth;
    const double l = g.headLength;

    p.save();
    p.translate(g.headTop);
    paintHorns(p, look.horns, w, l);
    paintEar(p, 1.0, head, ear, w, l, jitter);
    paintEar(p, -1.0, head, ear, w, l, jitter);

    const QPainterPath outline = headOutline(w, l);
    p.fillPath(outline, face);
    p.save();
    p.setClipPath(outline);
    paintFaceMarkings(p, look, face, w, l, jitter);
    paintMuzzle(p, head, w, l);
    p.restore();
    const QColor edge = face.lightness() < 60 ? QColor(0x050505) : face.darker(165);
    p.strokePath(outline, QPen(edge, 2.2));
    paintEyes(p, head, face, w, l);
    paintForelock(p, look, face, w, l, jitter);
    p.restore();
}

} // namespace tarvelo::drawset
