// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CowGeometry.h"

#include "Spline.h"

#include <algorithm>

namespace tarvelo::drawset {

namespace {

QPainterPath frontLeg(const CowGeometry& g, double x, double muscling) {
    const double b = g.bellyY;
    const double l = g.legLength;
    const double d = g.depth;
    const double m = muscling;
    return closedSpline({
        {x - 40 - 5 * m, b - 0.35 * d},
        {x + 38 + 5 * m, b - 0.35 * d},
        {x + 30 + 4 * m, b + 0.05 * l},
        {x + 17, b + 0.42 * l},
        {x + 14, b + 0.56 * l},
        {x + 13, g.ground - 30},
        {x + 15, g.ground - 17},
        {x - 14, g.ground - 17},
        {x - 12, g.ground - 30},
        {x - 13, b + 0.56 * l},
        {x - 18, b + 0.42 * l},
        {x - 27 - 3 * m, b + 0.08 * l},
    });
}

QPainterPath hindLeg(const CowGeometry& g, double x, double muscling) {
    const double b = g.bellyY;
    const double l = g.legLength;
    const double d = g.depth;
    const double m = muscling;
    return closedSpline({
        {x + 40 + 8 * m, b - 0.4 * d},
        {x + 36 + 6 * m, b + 0.08 * l},
        {x + 23, b + 0.5 * l},
        {x + 14, b + 0.64 * l},
        {x + 13, g.ground - 30},
        {x + 15, g.ground - 17},
        {x - 13, g.ground - 17},
        {x - 13, g.ground - 30},
        {x - 12, b + 0.56 * l},
        {x - 20, b + 0.2 * l},
        {x - 38 - 7 * m, b - 0.02 * d},
        {x - 46 - 7 * m, b - 0.4 * d},
    });
}

// The body's outline from the neck round the rump and belly, the head's
// place joining it.
QPainterPath torsoOutline(const CowGeometry& g, const Build& build) {
    const double f = g.frontX;
    const double r = g.rearX;
    const double len = r - f;
    const double b = g.bellyY;
    const double t = g.backY;
    const double d = g.depth;
    const double m = build.muscling;
    const double bones = build.angular ? 1.0 : 0.0;

    const double hx = g.headTop.x();
    const double hy = g.headTop.y();
    const double hl = g.headLength;

    // Beef breeds carry a thick neck and a rounded top; dairy breeds a thin
    // neck, a straight back and a pointed hip bone.
    const double neck = 12.0 * m - 14.0 * bones;
    // Double muscling: a rump that bulges behind the tail set and a tucked-in
    // thigh below it.
    const double bulge = std::max(0.0, m - 1.2);
    return closedSpline({
        {f + 40, t - 6 - 3 * m},
        {f + 0.45 * len, t + 2 + 6 * bones},
        {f + 0.72 * len, t + 2 * bones - 2 * m},
        {r - 85, t - 4 - 10 * bones - 8 * m},
        {r - 12 - 8 * bulge, t + 6 - 3 * m + 10 * bulge},
        {r + 8 + 14 * m + 8 * bulge, t + 0.3 * d},
        {r + 4 + 18 * m - 10 * bones + 12 * bulge, t + 0.58 * d},
        {r - 12 + 6 * m - 10 * bulge, b - 0.05 * d},
        {r - 70, b - 8},
        {f + 0.62 * len, b + 10 + 8 * bones},
        {f + 0.3 * len, b + 10 + 4 * bones},
        {f + 50, b + 4},
        {f - 12, b - 0.12 * d},
        {f - 34 - 0.5 * neck, b - 0.32 * d},
        {f - 80, b - 0.5 * d + 0.5 * neck},
        {hx + 38, hy + 0.82 * hl},
        {hx + 32, hy + 0.14 * hl},
        {f - 40, t - 14 - neck},
    });
}

} // namespace

CowGeometry cowGeometry(const Build& build, const Head& head) {
    CowGeometry g;
    g.legLength = 140.0 * build.legLength;
    g.bellyY = g.ground - g.legLength;
    g.depth = 200.0 * build.depth;
    g.backY = g.bellyY - g.depth;
    g.rearX = g.frontX + 480.0 * build.length;

    g.headWidth = 130.0;
    g.headLength = 180.0 * head.length;
    const double bones = build.angular ? 1.0 : 0.0;
    g.headTop = {g.frontX - 118.0, g.backY - 60.0 + 10.0 * build.muscling - 12.0 * bones};
    g.torso = torsoOutline(g, build);

    const double m0 = build.muscling;
    g.nearFrontX = g.frontX + 48;
    g.farFrontX = g.frontX + 92;
    g.nearHindX = g.rearX - 40;
    g.farHindX = g.rearX - 82;
    g.nearFrontLeg = frontLeg(g, g.nearFrontX, m0);
    g.farFrontLeg = frontLeg(g, g.farFrontX, m0);
    g.nearHindLeg = hindLeg(g, g.nearHindX, m0);
    g.farHindLeg = hindLeg(g, g.farHindX, m0);

    g.tailRoot = {g.rearX - 8, g.backY + 10};
    g.udderCentre = {g.rearX - 112, g.bellyY + 4};
    return g;
}

QPointF CowGeometry::bodyPoint(double u, double v) const {
    return {frontX + u * (rearX - frontX), backY + v * (bellyY - backY)};
}

QRectF CowGeometry::bounds() const {
    return QRectF(QPointF(headTop.x() - 190.0, headTop.y() - 120.0), QPointF(rearX + 50.0, ground));
}

QPainterPath hoofPath(double x, double ground) {
    QPainterPath hoof;
    hoof.moveTo(x - 16, ground - 19);
    hoof.lineTo(x + 16, ground - 19);
    hoof.lineTo(x + 19, ground);
    hoof.lineTo(x - 23, ground);
    hoof.closeSubpath();
    return hoof;
}

} // namespace tarvelo::drawset
