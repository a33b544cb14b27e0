// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExifOrientation.h"

#include <QImage>

namespace tarvelo {

// stored turned for viewing as orientation says; RGB32.
QImage turnUpright(const QImage& stored, Orientation orientation);

} // namespace tarvelo
