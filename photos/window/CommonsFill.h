// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"

#include <optional>
#include <vector>

class QWidget;

namespace tarvelo {

// Filling a set from Wikimedia Commons: every breed with fewer photographs
// than the teacher asks for gets the Commons dialog in turn.

// The breeds of set with fewer than `count` photographs, in catalogue order.
std::vector<int> breedsWithFewerThan(const PhotoSet& set, int count);

// Asks how many photographs each breed should have (1 to the most a breed
// may hold); nothing when the teacher cancels.
std::optional<int> askFillCount(QWidget* parent);

} // namespace tarvelo
