// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PictureSets.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tarvelo {

// The set a command without a window works on: DIR, the argument at dirAt
// when there is one; the class set with classSet; else the one the window
// would edit. Nothing when DIR and --class-set both name one, which is said
// on standard error as misuse.
std::optional<EditedSet> commandSet(const QStringList& arguments, qsizetype dirAt,
                                    const QString& programFolder, bool classSet);

} // namespace tarvelo
