// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QWidget;

namespace tarvelo {

// Has the screen reader speak `text` for `source` now, without moving the
// focus. Where the platform's bridge already reads an alert as it appears,
// this adds nothing, so that nothing is heard twice.
void announce(QWidget& source, const QString& text);

} // namespace tarvelo
