// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedLook.h"

namespace tarvelo::drawset {

// The look of the breed shown in picture `index` (0 .. 18, the quiz's picture
// order); throws std::out_of_range outside it.
BreedLook breedLook(int index);

} // namespace tarvelo::drawset
