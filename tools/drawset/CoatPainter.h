// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedLook.h"
#include "CowGeometry.h"
#include "Jitter.h"

#include <QPainter>
#include <QPainterPath>

namespace tarvelo::drawset {

// Colours the body silhouette: base coat, patches, white markings, shading
// and hair, all kept inside the silhouette.
void paintCoat(QPainter& painter, const BreedLook& look, const CowGeometry& geometry,
               const QPainterPath& silhouette, Jitter& jitter);

// Hair that crosses the outline: the hanging fringe of a long coat or the
// fuzzy edge of a curly one. Nothing for a smooth coat.
void paintCoatEdge(QPainter& painter, const BreedLook& look, const CowGeometry& geometry,
                   const QPainterPath& silhouette, Jitter& jitter);

// Rounded patch outline around centre, wavy or (jagged) angular.
QPainterPath patchOutline(QPointF centre, double rx, double ry, bool jagged, Jitter& jitter);

} // namespace tarvelo::drawset
