// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvelo {

// Makes sure Qt's PDF engine can store photographs as JPEG, before a PDF is
// drawn: Debian's Qt brings its JPEG plugin; the Windows build of Qt is made
// without one, so there the project's own writer is registered, once.
void ensurePdfJpeg();

} // namespace tarvelo
