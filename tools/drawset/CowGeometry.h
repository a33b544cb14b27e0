// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedLook.h"

#include <QPainterPath>
#include <QPointF>
#include <QRectF>

namespace tarvelo::drawset {

// The outline of a cow standing side-on, head to the left and turned towards
// the viewer, in a space where the ground is y = 560 and an average body
// spans x = 300 .. 780.
struct CowGeometry {
    double ground = 560.0;
    double frontX = 300.0; // chest
    double rearX = 780.0;  // rump
    double backY = 220.0;
    double bellyY = 420.0;
    double legLength = 140.0;
    double depth = 200.0;

    QPainterPath torso; // body and neck
    QPainterPath nearFrontLeg;
    QPainterPath nearHindLeg;
    QPainterPath farFrontLeg;
    QPainterPath farHindLeg;
    double nearFrontX = 0.0; // cannon-bone centres, where the hooves stand
    double nearHindX = 0.0;
    double farFrontX = 0.0;
    double farHindX = 0.0;

    QPointF headTop; // centre of the poll
    double headWidth = 130.0;
    double headLength = 180.0;
    QPointF tailRoot;
    QPointF udderCentre;

    // Body coordinates (see Patch) to cow space.
    QPointF bodyPoint(double u, double v) const;
    // Everything the cow may cover, horns and tail included.
    QRectF bounds() const;
    // Height at which white stockings end on the legs.
    double stockingTop() const { return bellyY + 0.3 * legLength; }
};

CowGeometry cowGeometry(const Build& build, const Head& head);

// A hoof standing at x on the ground, toe to the left.
QPainterPath hoofPath(double x, double ground);

} // namespace tarvelo::drawset
