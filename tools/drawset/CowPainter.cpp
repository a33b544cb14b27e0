// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CowPainter.h"

#include "CoatPainter.h"
#include "Hair.h"
#include "HeadPainter.h"
#include "Spline.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <vector>

namespace tarvelo::drawset {

namespace {

void paintShadow(QPainter& p, const CowGeometry& g) {
    const QPointF centre((g.frontX + g.rearX) / 2.0, g.ground - 2.0);
    const double rx = (g.rearX - g.frontX) / 2.0 + 90.0;
    p.save();
    p.translate(centre);
    p.scale(1.0, 24.0 / rx);
    QRadialGradient shadow(QPointF(0, 0), rx);
    shadow.setColorAt(0.0, QColor(20, 40, 10, 110));
    shadow.setColorAt(0.7, QColor(20, 40, 10, 60));
    shadow.setColorAt(1.0, QColor(20, 40, 10, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(0, 0), rx, rx);
    p.restore();
}

void paintHoof(QPainter& p, const Coat& coat, double x, double ground) {
    const QPainterPath hoof = hoofPath(x, ground);
    p.fillPath(hoof, coat.hoof);
    p.strokePath(hoof, QPen(coat.hoof.darker(170), 1.6));
}

// A leg on the far side, in shadow and partly hidden by the body.
void paintFarLeg(QPainter& p, const Coat& coat, const CowGeometry& g, const QPainterPath& leg,
                 double x) {
    p.fillPath(leg, coat.base.darker(125));
    if (coat.whiteLegs || coat.whiteBelly) {
        QPainterPath lower;
        // A white belly runs down the whole leg, as on the near side.
        const double top = coat.whiteBelly ? g.bellyY - 10 : g.stockingTop() + 6;
        lower.addRect(QRectF(x - 60, top, 120, g.ground));
        p.fillPath(lower.intersected(leg), coat.white.darker(118));
    }
    const QColor edge = coat.base.lightness() < 60 ? QColor(0x050505) : coat.base.darker(190);
    p.strokePath(leg, QPen(edge, 2.2));
    paintHoof(p, coat, x, g.ground);
}

void paintUdder(QPainter& p, const Coat& coat, const CowGeometry& g, double size) {
    if (size <= 0.0) {
        return;
    }
    const QPointF c = g.udderCentre;
    const double rx = 22.0 + 42.0 * size;
    const double ry = 14.0 + 30.0 * size;
    const double teat = 8.0 + 16.0 * size;
    for (const double at : {-0.5, 0.35}) {
        QRectF teatBox(c.x() + at * rx - 5.0, c.y() + ry * 0.7, 10.0, teat + ry * 0.2);
        p.setPen(QPen(coat.udder.darker(150), 1.4));
        p.setBrush(coat.udder.darker(108));
        p.drawRoundedRect(teatBox, 5.0, 5.0);
    }
    QRadialGradient skin(c + QPointF(-0.3 * rx, -0.2 * ry), 1.2 * rx);
    skin.setColorAt(0.0, coat.udder.lighter(112));
    skin.setColorAt(1.0, coat.udder.darker(115));
    p.setPen(QPen(coat.udder.darker(160), 1.6));
    p.setBrush(skin);
    p.drawEllipse(c, rx, ry);
}

void paintTail(QPainter& p, const BreedLook& look, const CowGeometry& g, Jitter& jitter) {
    const double m = look.build.muscling;
    const double r = g.rearX;
    const std::vector<QPointF> line{g.tailRoot,
                                    {r + 14 + 12 * m, g.backY + 0.22 * g.depth},
                                    {r + 20 + 16 * m, g.backY + 0.7 * g.depth},
                                    {r + 16 + 14 * m, g.bellyY + 0.3 * g.legLength},
                                    {r + 14 + 13 * m, g.bellyY + 0.55 * g.legLength}};
    const QColor base = look.coat.base;
    const QPainterPath tail = taperedBand(line, 15.0, 7.0);
    p.fillPath(tail, base);
    const QColor edge = base.lightness() < 60 ? QColor(0x050505) : base.darker(175);
    p.strokePath(tail, QPen(edge, 2.0));
    const QColor tuft = look.coat.tailSwitch.isValid() ? look.coat.tailSwitch : base;
    const QPointF end = line.back();
    for (int i = 0; i < 60; ++i) {
        const QPointF root = end + QPointF(jitter.uniform(-5.0, 5.0), jitter.uniform(-14.0, 0.0));
        paintStrand(p, root, 90.0 + jitter.uniform(-14.0, 14.0), jitter.uniform(30.0, 52.0), 3.2,
                    varied(tuft, jitter, 20), jitter);
    }
}

} // namespace

void paintCow(QPainter& p, const BreedLook& look, const CowGeometry& g, Jitter& jitter) {
    const Coat& coat = look.coat;
    paintShadow(p, g);
    paintFarLeg(p, coat, g, g.farFrontLeg, g.farFrontX);
    paintFarLeg(p, coat, g, g.farHindLeg, g.farHindX);
    paintUdder(p, coat, g, look.build.udder);

    const QPainterPath silhouette =
        g.torso.united(g.nearFrontLeg).united(g.nearHindLeg).simplified();
    paintCoat(p, look, g, silhouette, jitter);
    paintCoatEdge(p, look, g, silhouette, jitter);
    paintHoof(p, coat, g.nearFrontX, g.ground);
    paintHoof(p, coat, g.nearHindX, g.ground);
    paintTail(p, look, g, jitter);
    paintHead(p, look, g, jitter);
}

} // namespace tarvelo::drawset
