// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedLook.h"
#include "CowGeometry.h"
#include "Jitter.h"

#include <QPainter>

namespace tarvelo::drawset {

// The head, turned towards the viewer so that horns, ears, face markings and
// muzzle all show: horns and ears first, then the face over their roots.
void paintHead(QPainter& painter, const BreedLook& look, const CowGeometry& geometry,
               Jitter& jitter);

} // namespace tarvelo::drawset
