// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeadlessPlatform.h"

namespace tarvelo {

void preferHeadlessPlatform() {
    // The windows platform starts without showing anything and knows the
    // system's fonts; the offscreen one would find none.
}

} // namespace tarvelo
