// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AtomicFile.h"

#include <QString>

namespace tarvelo {

// Why a file could not be written, in Czech, to follow a colon: the causes a
// teacher can act on (a full disk, a folder only to read, a link on the way)
// in plain words, any other in the system's own.
QString writeFailureReason(const WriteError& error);

} // namespace tarvelo
