// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "UprightImage.h"

#include <QIODevice>

namespace tarvelo {

// Any other photograph in device (PNG and what else Qt reads), open at its
// start, by Qt's image readers, turned upright. Throws ImportFailure.
UprightPicture readQtPicture(QIODevice& device);

} // namespace tarvelo
