// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

namespace tarvelo {

// The quiz's picture box, 641 x 233 on its black group. tarvelo-photos
// previews a set's photograph in a box of the very same size, so that the
// teacher sees it cut and placed as the pupils will.
inline constexpr QSize quizPictureSize(641, 233);

} // namespace tarvelo
