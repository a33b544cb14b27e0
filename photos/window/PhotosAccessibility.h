// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvelo {

// Tells screen readers what the photographs' window is made of: a window,
// the list of breeds and its rows as list items. Call before the window is
// built: Qt keeps an interface once made.
void installPhotoRowRoles();

} // namespace tarvelo
