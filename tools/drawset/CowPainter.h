// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedLook.h"
#include "CowGeometry.h"
#include "Jitter.h"

#include <QPainter>

namespace tarvelo::drawset {

// The whole cow, in the space CowGeometry describes: shadow, far legs, udder,
// body with near legs, tail, hooves, head.
void paintCow(QPainter& painter, const BreedLook& look, const CowGeometry& geometry,
              Jitter& jitter);

} // namespace tarvelo::drawset
