// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoatPainter.h"

#include "Hair.h"
#include "Spline.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <vector>

namespace tarvelo::drawset {

namespace {

QColor transparent(QColor colour) {
    colour.setAlpha(0);
    return colour;
}

// Region below a wavy line across the body, for a white belly.
QPainterPath bellyRegion(const CowGeometry& g, Jitter& jitter) {
    std::vector<QPointF> edge;
    const double top = g.bellyY - 0.24 * g.depth;
    for (double x = g.frontX - 60; x <= g.rearX + 10; x += 45) {
        edge.emplace_back(x, top + jitter.uniform(-12.0, 12.0));
    }
    QPainterPath region = openSpline(edge);
    region.lineTo(g.rearX + 10, g.ground);
    region.lineTo(g.frontX - 60, g.ground);
    region.closeSubpath();
    return region;
}

QPainterPath stockings(const CowGeometry& g, const QPainterPath& legs, Jitter& jitter) {
    std::vector<QPointF> edge;
    for (double x = g.frontX - 40; x <= g.rearX + 60; x += 22) {
        edge.emplace_back(x, g.stockingTop() + jitter.uniform(-10.0, 10.0));
    }
    QPainterPath region = openSpline(edge);
    region.lineTo(g.rearX + 60, g.ground + 10);
    region.lineTo(g.frontX - 40, g.ground + 10);
    region.closeSubpath();
    return region.intersected(legs);
}

void paintPatches(QPainter& p, const Coat& coat, const CowGeometry& g, Jitter& jitter) {
    const double len = g.rearX - g.frontX;
    for (const Patch& patch : coat.patches) {
        const double r = patch.radius * len;
        const QPainterPath shape = patchOutline(g.bodyPoint(patch.u, patch.v), 1.15 * r, 0.9 * r,
                                                coat.jaggedPatches, jitter);
        p.fillPath(shape, coat.patch);
        if (!coat.roanPatches) {
            continue;
        }
        // Roan: white hairs mixed into the coloured ones, and a feathered edge.
        p.save();
        p.setClipPath(shape, Qt::IntersectClip);
        const QRectF box = shape.boundingRect();
        for (int i = 0; i < static_cast<int>(box.width() * box.height() / 22.0); ++i) {
            QColor hair = i % 3 == 0 ? coat.patch.darker(135) : coat.white;
            hair.setAlpha(105);
            paintStrand(p,
                        QPointF(jitter.uniform(box.left(), box.right()),
                                jitter.uniform(box.top(), box.bottom())),
                        90.0 + jitter.uniform(-30.0, 30.0), jitter.uniform(5.0, 9.0), 1.7, hair,
                        jitter);
        }
        p.restore();
        QColor edge = coat.patch;
        edge.setAlpha(190);
        for (int i = 0; i < 420; ++i) {
            const QPointF at = shape.pointAtPercent(jitter.uniform(0.0, 1.0));
            paintStrand(p, at, jitter.uniform(0.0, 360.0), jitter.uniform(5.0, 12.0), 1.8, edge,
                        jitter);
        }
    }
}

void paintWhiteMarks(QPainter& p, const Coat& coat, const CowGeometry& g, const QPainterPath& legs,
                     Jitter& jitter) {
    if (coat.whiteBelly) {
        p.fillPath(bellyRegion(g, jitter), coat.white);
    }
    const QPointF head = g.headTop;
    const double hl = g.headLength;
    if (coat.whiteBrisket) {
        p.fillPath(closedSpline({{head.x() + 25, head.y() + 0.75 * hl},
                                 {g.frontX - 55, g.backY + 0.42 * g.depth},
                                 {g.frontX + 5, g.bellyY - 0.3 * g.depth},
                                 {g.frontX + 70, g.bellyY + 25},
                                 {g.frontX - 70, g.bellyY + 25},
                                 {head.x() + 10, head.y() + hl + 40}}),
                   coat.white);
    }
    if (coat.whiteCrest) {
        QPen crest(coat.white, 34.0, Qt::SolidLine, Qt::RoundCap);
        p.strokePath(openSpline({{head.x() + 30, head.y() + 0.1 * hl},
                                 {g.frontX - 40, g.backY - 14},
                                 {g.frontX + 45, g.backY - 8}}),
                     crest);
    }
    if (coat.whiteLegs) {
        p.fillPath(stockings(g, legs, jitter), coat.white);
    }
}

void paintShades(QPainter& p, const Coat& coat, const CowGeometry& g, const QRectF& box) {
    const double len = g.rearX - g.frontX;
    if (coat.under.isValid()) {
        QLinearGradient under(QPointF(0, g.bellyY - 0.4 * g.depth), QPointF(0, g.bellyY));
        under.setColorAt(0.0, transparent(coat.under));
        under.setColorAt(1.0, coat.under);
        p.fillRect(box, under);
    }
    if (coat.frontShade.isValid()) {
        QLinearGradient front(QPointF(g.frontX - 90, 0), QPointF(g.frontX + 0.4 * len, 0));
        front.setColorAt(0.0, coat.frontShade);
        front.setColorAt(1.0, transparent(coat.frontShade));
        p.fillRect(box, front);
    }
    if (coat.rearShade.isValid()) {
        QLinearGradient rear(QPointF(g.rearX + 30, 0), QPointF(g.rearX - 0.4 * len, 0));
        rear.setColorAt(0.0, coat.rearShade);
        rear.setColorAt(1.0, transparent(coat.rearShade));
        p.fillRect(box, rear);
    }
}

// Light from above: a sheen on the back, shadow under the belly and on the
// legs, a highlight on the rounded thigh and shoulder.
void paintLight(QPainter& p, const CowGeometry& g, const QRectF& box) {
    QLinearGradient light(QPointF(0, g.backY - 20), QPointF(0, g.ground));
    const double span = g.ground - g.backY + 20;
    auto at = [&](double y) { return std::clamp((y - g.backY + 20) / span, 0.0, 1.0); };
    light.setColorAt(0.0, QColor(255, 255, 255, 70));
    light.setColorAt(at(g.backY + 0.3 * g.depth), QColor(255, 255, 255, 0));
    light.setColorAt(at(g.bellyY - 0.3 * g.depth), QColor(0, 0, 0, 0));
    light.setColorAt(at(g.bellyY + 8), QColor(0, 0, 0, 75));
    light.setColorAt(1.0, QColor(0, 0, 0, 35));
    p.fillRect(box, light);
    for (const QPointF& centre : {g.bodyPoint(0.86, 0.35), g.bodyPoint(0.1, 0.3)}) {
        QRadialGradient glow(centre, 0.55 * g.depth);
        glow.setColorAt(0.0, QColor(255, 255, 255, 45));
        glow.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.fillRect(box, glow);
    }
}

// Double muscling: each muscle mass rounded like a ball, lit from the upper left.
void paintMuscles(QPainter& p, const BreedLook& look, const CowGeometry& g) {
    const double m = look.build.muscling;
    if (m < 1.8) {
        return;
    }
    const double strength = std::min(1.0, m - 1.1);
    struct Mass {
        double u, v, rx, ry;
    };
    constexpr Mass masses[] = {{0.93, 0.45, 0.16, 0.42}, {0.76, 0.5, 0.13, 0.4},
                               {0.66, 0.12, 0.2, 0.22},  {0.12, 0.42, 0.13, 0.38},
                               {0.26, 0.3, 0.11, 0.3},   {0.0, 0.2, 0.12, 0.3}};
    const double len = g.rearX - g.frontX;
    for (const Mass& mass : masses) {
        p.save();
        p.translate(g.bodyPoint(mass.u, mass.v));
        p.scale(mass.rx * len, mass.ry * g.depth);
        QRadialGradient ball(QPointF(0, 0), 1.0, QPointF(-0.35, -0.4));
        ball.setColorAt(0.0, QColor(255, 255, 255, static_cast<int>(90 * strength)));
        ball.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(ball);
        p.drawEllipse(QPointF(0, 0), 1.0, 1.0);
        p.restore();
    }
}

void paintTexture(QPainter& p, const BreedLook& look, const QRectF& box, Jitter& jitter) {
    const QColor base = look.coat.base;
    switch (look.coat.texture) {
    case CoatTexture::Smooth:
        break;
    case CoatTexture::LongShaggy:
        for (int i = 0; i < 1400; ++i) {
            const QPointF root(jitter.uniform(box.left(), box.right()),
                               jitter.uniform(box.top(), box.bottom()));
            paintStrand(p, root, 95.0 + jitter.uniform(-25.0, 25.0), jitter.uniform(22.0, 46.0),
                        jitter.uniform(2.5, 4.5), varied(base, jitter, 30), jitter);
        }
        break;
    case CoatTexture::Curly:
        for (int i = 0; i < 900; ++i) {
            const QPointF at(jitter.uniform(box.left(), box.right()),
                             jitter.uniform(box.top(), box.bottom()));
            QColor curl = i % 2 == 0 ? base.lighter(230) : base.darker(160);
            curl.setAlpha(120);
            paintCurl(p, at, jitter.uniform(4.0, 8.0), curl, jitter);
        }
        break;
    }
}

void paintBodyLines(QPainter& p, const BreedLook& look, const CowGeometry& g) {
    const double m = look.build.muscling;
    const QColor line =
        look.coat.base.lightness() < 60 ? QColor(255, 255, 255, 45) : QColor(40, 20, 10, 80);
    const QPen pen(line, 2.4, Qt::SolidLine, Qt::RoundCap);
    // Flank fold in front of the thigh and the back of the elbow.
    p.strokePath(openSpline({{g.nearHindX - 75, g.bellyY - 0.42 * g.depth},
                             {g.nearHindX - 58 - 6 * m, g.bellyY - 0.15 * g.depth},
                             {g.nearHindX - 40 - 7 * m, g.bellyY + 4}}),
                 pen);
    p.strokePath(openSpline({{g.nearFrontX + 40, g.bellyY - 0.35 * g.depth},
                             {g.nearFrontX + 36 + 5 * m, g.bellyY - 0.1 * g.depth},
                             {g.nearFrontX + 30 + 4 * m, g.bellyY + 6}}),
                 pen);
    if (m >= 1.8) {
        // Double muscling: deep shadowed grooves between the muscles of thigh
        // and shoulder.
        const bool dark = look.coat.base.lightness() < 60;
        const QColor shade = dark ? QColor(255, 255, 255, 10) : QColor(50, 30, 15, 16);
        const QPen groove(dark ? line : QColor(40, 20, 10, 80), 2.2, Qt::SolidLine, Qt::RoundCap);
        const std::vector<std::vector<QPointF>> grooves{
            {{g.rearX - 30, g.backY + 0.12 * g.depth},
             {g.rearX - 5, g.backY + 0.45 * g.depth},
             {g.rearX - 18, g.bellyY - 0.05 * g.depth}},
            {{g.rearX - 95, g.backY + 0.25 * g.depth},
             {g.rearX - 70, g.backY + 0.55 * g.depth},
             {g.rearX - 80, g.bellyY - 0.02 * g.depth}},
            {{g.frontX + 95, g.backY + 0.15 * g.depth},
             {g.frontX + 70, g.backY + 0.5 * g.depth},
             {g.frontX + 75, g.bellyY - 0.1 * g.depth}},
            {{g.frontX + 20, g.backY + 0.05 * g.depth},
             {g.frontX + 30, g.backY + 0.35 * g.depth},
             {g.frontX + 10, g.backY + 0.6 * g.depth}},
        };
        for (const std::vector<QPointF>& points : grooves) {
            const QPainterPath path = openSpline(points);
            for (const double width : {26.0, 18.0, 11.0, 6.0}) {
                p.strokePath(path.translated(3, 0),
                             QPen(shade, width, Qt::SolidLine, Qt::RoundCap));
            }
            p.strokePath(path, groove);
        }
    }
    if (look.build.angular) {
        // Ribs and the hip bone of a dairy cow.
        for (int i = 0; i < 4; ++i) {
            const double x = g.frontX + (0.36 + 0.06 * i) * (g.rearX - g.frontX);
            p.strokePath(openSpline({{x, g.backY + 0.35 * g.depth},
                                     {x + 12, g.backY + 0.6 * g.depth},
                                     {x + 6, g.backY + 0.8 * g.depth}}),
                         QPen(QColor(40, 20, 10, 45), 2.0));
        }
        p.strokePath(openSpline({{g.rearX - 110, g.backY + 0.1 * g.depth},
                                 {g.rearX - 88, g.backY + 0.04 * g.depth},
                                 {g.rearX - 66, g.backY + 0.12 * g.depth}}),
                     pen);
    }
}

} // namespace

QPainterPath patchOutline(QPointF centre, double rx, double ry, bool jagged, Jitter& jitter) {
    const int corners = jagged ? 22 : 12;
    std::vector<QPointF> points;
    for (int i = 0; i < corners; ++i) {
        const double a = 2.0 * M_PI * i / corners;
        const double r = jagged ? jitter.uniform(0.68, 1.25) : jitter.uniform(0.78, 1.18);
        points.emplace_back(centre.x() + rx * r * std::cos(a), centre.y() + ry * r * std::sin(a));
    }
    if (!jagged) {
        return closedSpline(points);
    }
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points.begin(), points.end())));
    path.closeSubpath();
    return path;
}

void paintCoat(QPainter& p, const BreedLook& look, const CowGeometry& g,
               const QPainterPath& silhouette, Jitter& jitter) {
    const Coat& coat = look.coat;
    const QRectF box = silhouette.boundingRect().adjusted(-20, -20, 20, 20);
    const QPainterPath legs = g.nearFrontLeg.united(g.nearHindLeg);
    p.fillPath(silhouette, coat.base);
    p.save();
    p.setClipPath(silhouette);
    paintPatches(p, coat, g, jitter);
    paintShades(p, coat, g, box);
    paintWhiteMarks(p, coat, g, legs, jitter);
    paintTexture(p, look, box, jitter);
    paintMuscles(p, look, g);
    paintLight(p, g, box);
    paintBodyLines(p, look, g);
    p.restore();
    const QColor edge = coat.base.lightness() < 60 ? QColor(0x050505) : coat.base.darker(175);
    p.strokePath(silhouette, QPen(edge, 2.6));
}

void paintCoatEdge(QPainter& p, const BreedLook& look, const CowGeometry& g,
                   const QPainterPath& silhouette, Jitter& jitter) {
    const QColor base = look.coat.base;
    const CoatTexture texture = look.coat.texture;
    if (texture == CoatTexture::Smooth) {
        return;
    }
    constexpr int samples = 900;
    for (int i = 0; i < samples; ++i) {
        const QPointF at = silhouette.pointAtPercent(static_cast<double>(i) / samples);
        if (at.y() > g.bellyY + 0.35 * g.legLength) {
            continue; // no fringe on the lower legs
        }
        const bool underside = at.y() > g.backY + 0.55 * g.depth;
        if (texture == CoatTexture::LongShaggy) {
            if (underside) {
                paintStrand(p, at - QPointF(0, 14), 90.0 + jitter.uniform(-18.0, 18.0),
                            jitter.uniform(30.0, 62.0), jitter.uniform(3.0, 5.0),
                            varied(base, jitter, 28), jitter);
            } else {
                paintStrand(p, at + QPointF(0, 6), 250.0 + jitter.uniform(-40.0, 40.0),
                            jitter.uniform(10.0, 20.0), 3.2, varied(base, jitter, 28), jitter);
            }
        } else if (i % 2 == 0) {
            paintStrand(p, at,
                        underside ? 90.0 + jitter.uniform(-30.0, 30.0) : jitter.uniform(0.0, 360.0),
                        jitter.uniform(8.0, underside ? 22.0 : 12.0), 3.0, varied(base, jitter, 25),
                        jitter);
        }
    }
}

} // namespace tarvelo::drawset
