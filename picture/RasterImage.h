#pragma once

#include "Raster.h"

#include <QImage>

namespace tarvelo {

// A QImage over the raster's own memory, no copy: blue-green-red rows as
// Format_BGR888, palette rasters as Format_Indexed8. Valid while the raster lives.
QImage rasterImage(const Raster& raster);

} // namespace tarvelo
