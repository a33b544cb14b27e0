// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvelo {

// When the user's session ends (logging off, shutting down, the terminal
// closing), the quiz ends at once with success: nothing is saved, so there is
// nothing to finish. Call before the application object is made.
void endAtOnceWhenTheSessionEnds();

} // namespace tarvelo
