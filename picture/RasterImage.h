// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExifOrientation.h"
#include "Raster.h"

#include <QImage>
#include <QSize>

namespace tarvelo {

// A QImage over the raster's own memory, no copy: blue-green-red rows as
// Format_BGR888, palette rasters as Format_Indexed8. Valid while the raster lives.
QImage rasterImage(const Raster& raster);

// The raster turned upright as orientation says and scaled to size by
// dropping pixels (each target pixel takes the upright picture's pixel under
// its centre, no blending), in the screen's Format_RGB32. A target of the
// upright size is a pixel-for-pixel copy.
QImage scaledRasterImage(const Raster& raster, QSize size,
                         Orientation orientation = Orientation::Upright);

} // namespace tarvelo
