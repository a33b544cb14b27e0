// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeadlessPlatform.h"

#include <QByteArray>
#include <QtGlobal>

namespace tarvelo {

void preferHeadlessPlatform() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    }
}

} // namespace tarvelo
