// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "UprightImage.h"

#include <QIODevice>

namespace tarvelo {

// The JPEG photograph in device, open at its start, by libjpeg's scaled
// decoding at the smallest size that covers the stored copy, turned upright.
// Throws ImportFailure.
UprightPicture readJpegPicture(QIODevice& device);

} // namespace tarvelo
