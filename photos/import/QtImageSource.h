// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "UprightImage.h"

#include <QFile>

namespace tarvelo {

// Any other photograph in file (PNG and what else Qt reads), opened at its
// start, by Qt's image readers, turned upright. Throws ImportFailure.
UprightPicture readQtPicture(QFile& file);

} // namespace tarvelo
