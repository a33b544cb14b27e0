// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace tarvelo {

// An API call's parameters, in order, as plain (decoded) text.
using ApiParameters = std::vector<std::pair<QString, QString>>;

} // namespace tarvelo
