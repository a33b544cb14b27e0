// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoCredit.h"

#include <QString>
#include <string>

namespace tarvelo {

// Where the study view names the source of what it shows: "Foto: AUTHOR ·
// LICENCE · PAGE", each part cut to its bounds and on one line, the page an
// address to read, never a link. Empty when nothing is known of the author.
QString creditLine(const PhotoCredit& credit);

// The credit line of the photograph at `relativePath` (obr/K/N.jpg) of the
// set in the working directory, from the set's credits file; empty when it
// has none, when the file is missing or damaged, or when it cannot be read.
QString studyCreditText(const std::string& relativePath);

} // namespace tarvelo
